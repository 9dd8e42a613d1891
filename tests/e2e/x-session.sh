# A private X session for the end-to-end tests (each run as test-NAME.sh DIGLUX_BINARY
# TESTS_FOLDER) and the idle-cost script, meant to be sourced: Xvfb on a display number it
# picks itself, openbox as window manager, a private HOME with its own XDG folders, and for
# the sound tests a private PulseAudio server. Everything started here (x_session_track adds
# more) is stopped again when the sourcing script exits; x_session_fail says why a test
# failed and exits 1.
set -u
SESSION_DIR=$(mktemp -d "${TMPDIR:-/tmp}/diglux-e2e.XXXXXX")
SESSION_PIDS=()

# Stops and forgets the processes started so far, newest first, each given five seconds to
# end by itself: the clock before the window manager, the window manager before the X server.
x_session_stop_processes() {
    local i pid
    for ((i = ${#SESSION_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${SESSION_PIDS[i]}
        kill "$pid" 2>/dev/null && x_session_poll 50 eval '! kill -0 $pid 2>/dev/null'
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    SESSION_PIDS=()
}
trap 'x_session_stop_processes; rm -rf "$SESSION_DIR"' EXIT

x_session_track() { SESSION_PIDS+=("$1"); }

# Keeps the last screenshot and sink recording for a look at what went wrong.
x_session_fail() {
    echo "FAIL: $*" >&2
    for kept in shot.png sink.raw; do
        [ -f "$SESSION_DIR/$kept" ] && cp "$SESSION_DIR/$kept" "/tmp/diglux-e2e-failed-$kept" &&
            echo "kept /tmp/diglux-e2e-failed-$kept" >&2
    done
    exit 1
}

x_session_need() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || x_session_fail "$tool is not installed (scripts/install-deps)"
    done
}

# x_session_poll TIMES COMMAND...: runs COMMAND every tenth of a second until it succeeds,
# at most TIMES times; returns 1 if it never did.
x_session_poll() {
    for _ in $(seq "$1"); do "${@:2}" && return 0; sleep 0.1; done
    return 1
}

# One try at Xvfb plus openbox; on failure says why in start_error and returns 1.
# Sets DISPLAY and xvfb (the X server's pid).
x_session_try_start() {
    local log="$SESSION_DIR/xvfb.log" lines='[ "$(wc -l <"$SESSION_DIR/display")" -ge 1 ]' n=""
    rm -f "$SESSION_DIR/display"
    # -noreset: without it the server resets when its last client leaves, and a client that
    # connects during the reset fails; the check below is such a client, and openbox was seen
    # to fail that way.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$SESSION_DIR/display" \
        >"$log" 2>&1 &
    xvfb=$!
    x_session_track "$xvfb"
    # The number is complete once its line has ended.
    x_session_poll 100 eval "$lines"' || ! kill -0 $xvfb 2>/dev/null'
    eval "$lines" && n=$(head -n 1 "$SESSION_DIR/display")
    [ -n "$n" ] || { start_error="Xvfb did not start: $(cat "$log")"; return 1; }
    export DISPLAY=":$n"
    xprop -root >/dev/null 2>&1 || { start_error="Xvfb on $DISPLAY does not answer: $(cat "$log")"; return 1; }
    openbox --sm-disable >"$SESSION_DIR/openbox.log" 2>&1 &
    local wm=$! managed='xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'
    x_session_track "$wm"
    x_session_poll 100 eval "$managed"' || ! kill -0 $wm 2>/dev/null'
    eval "$managed" && return 0
    start_error="openbox did not start on $DISPLAY: $(cat "$SESSION_DIR/openbox.log")"
    kill -0 "$xvfb" 2>/dev/null || start_error+="; Xvfb has ended: $(cat "$log")"
    return 1
}

x_session_start() {
    x_session_need Xvfb openbox xdotool xwininfo xprop
    export HOME="$SESSION_DIR/home" XDG_RUNTIME_DIR="$SESSION_DIR/run" TMPDIR="$SESSION_DIR/tmp"
    export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$TMPDIR"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    unset SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS
    # A start can fail for reasons outside the test (it once did in CI, for a reason its log
    # did not show): three tries, each from nothing, each failure said on stderr.
    for try in 1 2 3; do
        x_session_try_start && return 0
        echo "x-session: try $try: $start_error" >&2
        x_session_stop_processes
    done
    x_session_fail "$start_error"
}

# x_session_clock BINARY [CLOCK_TIME]: starts the clock, at CLOCK_TIME (UTC) when given,
# with its output in $SESSION_DIR/out.log and err.log, and waits until its window is shown.
# Sets clock (its pid), window and launched (the moment it was started). libfaketime is
# preloaded directly (the faketime wrapper would fork), so that $! is the clock itself; "@"
# lets the time advance, as frozen time would stop every timer.
x_session_clock() {
    local fake=() lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1
    if [ -n "${2:-}" ]; then
        [ -e "$lib" ] || x_session_fail "libfaketime is not installed (scripts/install-deps)"
        fake=(TZ=UTC LD_PRELOAD="$lib" FAKETIME="@$2" FAKETIME_DONT_FAKE_MONOTONIC=1)
    fi
    launched=$(date +%s.%N)
    env "${fake[@]}" "$1" >"$SESSION_DIR/out.log" 2>"$SESSION_DIR/err.log" &
    clock=$!
    x_session_track "$clock"
    window=$(timeout 20 xdotool search --sync --onlyvisible --class Diglux | head -n 1)
    [ -n "$window" ] || x_session_fail "no Diglux window appeared; stderr: $(cat "$SESSION_DIR/err.log")"
}

# x_session_ended HOW [PID [LOG]]: waits up to 10 s for the clock (or PID, whose stderr is
# in LOG) to end, and fails unless it ended with status 0.
x_session_ended() {
    local pid=${2:-$clock} log=${3:-$SESSION_DIR/err.log} status
    x_session_poll 100 eval '! kill -0 $pid 2>/dev/null' || x_session_fail "$1: still running after 10 s"
    wait "$pid"
    status=$?
    [ "$status" -eq 0 ] || x_session_fail "$1: exit status $status; stderr: $(cat "$log")"
}

# x_session_ended_quietly HOW: as x_session_ended, and the clock wrote nothing on stderr.
x_session_ended_quietly() {
    x_session_ended "$1"
    [ ! -s "$SESSION_DIR/err.log" ] || x_session_fail "$1: output on stderr: $(cat "$SESSION_DIR/err.log")"
}

# Sleeps until SECONDS after the clock was started.
x_session_wait_until() {
    sleep "$(awk -v t="$1" -v l="$launched" -v n="$(date +%s.%N)" 'BEGIN { s = t - (n - l); print (s > 0 ? s : 0) }')"
}

# x_session_store_has VALUE...: the clock's settings file holds each of the lines given.
x_session_store_has() {
    local store="$XDG_CONFIG_HOME/diglux/registry.reg"
    [ -f "$store" ] || x_session_fail "no settings store was written"
    for value in "$@"; do
        grep -qF "$value" "$store" || x_session_fail "the store lacks $value: $(cat "$store")"
    done
}

# Sets check to the screenshot reader in TESTS_FOLDER.
x_session_need_check() {
    check="$1/diglux_e2e_check"
    [ -x "$check" ] || x_session_fail "$check is missing (build target diglux_e2e_check)"
    x_session_need import
}

# x_session_read_display [R G B]: sets face, line and field to the date and time, the text
# line and the text field as read off a screenshot of the clock at 32,32, in the display
# colour given (default green).
x_session_read_display() {
    import -window root "$SESSION_DIR/shot.png" || x_session_fail "screenshot failed"
    local text
    text=$("$check" "$SESSION_DIR/shot.png" 32 32 "$@") || x_session_fail "cannot read the display"
    face=$(sed -n 's/^clock: //p' <<<"$text")
    line=$(sed -n 's/^line: //p' <<<"$text")
    field=$(sed -n 's/^field: //p' <<<"$text")
}

# A private PulseAudio server for the sound tests: one null sink "nullsink" loaded with
# norewinds=1, so that its monitor records every new stream from its first sample, in a
# folder of its own. Sets PULSE_SERVER for everything started later.
audio_server_start() {
    x_session_need pulseaudio pactl parec
    AUDIO_DIR="$SESSION_DIR/audio"
    mkdir -m 700 -p "$AUDIO_DIR"
    HOME="$AUDIO_DIR" XDG_RUNTIME_DIR="$AUDIO_DIR" PULSE_RUNTIME_PATH="$AUDIO_DIR/pulse" \
        pulseaudio -n --daemonize=no --use-pid-file=no --exit-idle-time=-1 \
        --disallow-exit=yes --disable-shm=yes \
        -L "module-native-protocol-unix auth-anonymous=1 socket=$AUDIO_DIR/native" \
        -L "module-null-sink sink_name=nullsink norewinds=1" \
        --log-target="file:$AUDIO_DIR/pulseaudio.log" >/dev/null 2>&1 &
    x_session_track $!
    export PULSE_SERVER="unix:$AUDIO_DIR/native"
    x_session_poll 100 eval 'pactl info >/dev/null 2>&1' ||
        x_session_fail "PulseAudio did not start: $(cat "$AUDIO_DIR/pulseaudio.log" 2>/dev/null)"
    pactl set-default-sink nullsink
}

# audio_record_start FILE: records the sink (raw s16le mono 22050 Hz) into FILE until
# audio_record_stop.
audio_record_start() {
    parec --device=nullsink.monitor --raw --format=s16le --rate=22050 --channels=1 \
        --latency-msec=50 >"$1" &
    recorder=$!
    x_session_track "$recorder"
    sleep 0.5 # until the stream runs
}

audio_record_stop() {
    kill -INT "$recorder" 2>/dev/null
    wait "$recorder" 2>/dev/null
}
