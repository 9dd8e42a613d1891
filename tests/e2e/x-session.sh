# A private X session for the end-to-end tests (test-NAME.sh DIGLUX_BINARY TESTS_FOLDER) and
# bench/idle-cost.sh: Xvfb, openbox, private HOME and XDG folders, a private PulseAudio server
# for the sound tests. What was started here or given to x_session_track stops with the script.
set -u
SESSION_DIR=$(mktemp -d "${TMPDIR:-/tmp}/diglux-e2e.XXXXXX")
SESSION_PIDS=()

# Stops the processes started so far, newest first, each given five seconds to end by itself.
x_session_stop_processes() {
    local pid
    for pid in $(printf '%s\n' "${SESSION_PIDS[@]}" | tac); do
        kill "$pid" 2>/dev/null && x_session_poll 50 eval '! kill -0 $pid 2>/dev/null'
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    SESSION_PIDS=()
}
trap 'x_session_stop_processes; rm -rf "$SESSION_DIR"' EXIT
x_session_track() { SESSION_PIDS+=("$1"); }

# Says why a test failed, keeps the last screenshot and sink recording, and exits 1.
x_session_fail() {
    echo "FAIL: $*" >&2
    for kept in shot.png sink.raw; do
        [ -f "$SESSION_DIR/$kept" ] && cp "$SESSION_DIR/$kept" "/tmp/diglux-e2e-failed-$kept" &&
            echo "kept /tmp/diglux-e2e-failed-$kept" >&2
    done
    exit 1
}

x_session_need() {
    for tool; do command -v "$tool" >/dev/null || x_session_fail "$tool is not installed (scripts/install-deps)"; done
}

# x_session_poll TIMES COMMAND...: runs COMMAND every tenth of a second until it succeeds.
x_session_poll() {
    for _ in $(seq "$1"); do "${@:2}" && return 0; sleep 0.1; done
    return 1
}

# One try at Xvfb plus openbox: sets DISPLAY and xvfb (the server's pid), or start_error.
x_session_try_start() {
    local log="$SESSION_DIR/xvfb.log" wm lines='[ "$(wc -l 2>/dev/null <"$SESSION_DIR/display")" -ge 1 ] 2>/dev/null'
    local managed='xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'
    rm -f "$SESSION_DIR/display"
    # -noreset: without it the server resets when its last client leaves, and a client that
    # connects meanwhile (as the answer check, and openbox was seen to) fails.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$SESSION_DIR/display" >"$log" 2>&1 &
    xvfb=$! && x_session_track "$xvfb"
    # The display number is complete once its line has ended.
    x_session_poll 100 eval "$lines"' || ! kill -0 $xvfb 2>/dev/null'
    eval "$lines" || { start_error="Xvfb did not start: $(cat "$log")"; return 1; }
    export DISPLAY=":$(head -n 1 "$SESSION_DIR/display")"
    xprop -root >/dev/null 2>&1 || { start_error="Xvfb on $DISPLAY does not answer: $(cat "$log")"; return 1; }
    openbox --sm-disable >"$SESSION_DIR/openbox.log" 2>&1 &
    wm=$! && x_session_track "$wm"
    x_session_poll 100 eval "$managed"' || ! kill -0 $wm 2>/dev/null'
    eval "$managed" && return 0
    start_error="openbox did not start on $DISPLAY: $(cat "$SESSION_DIR/openbox.log")"
    kill -0 "$xvfb" 2>/dev/null || start_error+="; Xvfb has ended: $(cat "$log")"
    return 1
}

# A start can fail for reasons outside the test (once in CI): three tries, each said on stderr.
x_session_start() {
    x_session_need Xvfb openbox xdotool xwininfo xprop
    export HOME="$SESSION_DIR/home" XDG_RUNTIME_DIR="$SESSION_DIR/run" TMPDIR="$SESSION_DIR/tmp"
    export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$TMPDIR" && mkdir -m 700 "$XDG_RUNTIME_DIR"
    unset SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS
    for try in 1 2 3; do
        x_session_try_start && return 0
        echo "x-session: try $try: $start_error" >&2
        x_session_stop_processes
    done
    x_session_fail "$start_error"
}

# x_session_clock BINARY [CLOCK_TIME]: starts the clock (at CLOCK_TIME, UTC) with its output in
# out.log and err.log, and sets clock (its pid), launched (when) and window once it is shown.
# libfaketime is preloaded directly, so that $! is the clock itself (the faketime wrapper would
# fork); "@" lets the time advance, as frozen time would stop every timer. File times stay real
# (NO_FAKE_STAT): its stat fails once it is torn down at exit, where the sanitizers' leak check calls it.
x_session_clock() {
    local fake=() lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1
    [ -z "${2:-}" ] || [ -e "$lib" ] || x_session_fail "libfaketime is not installed (scripts/install-deps)"
    [ -z "${2:-}" ] || fake=(TZ=UTC LD_PRELOAD="$lib" FAKETIME="@$2" FAKETIME_DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1)
    launched=$(date +%s.%N)
    env "${fake[@]}" "$1" >"$SESSION_DIR/out.log" 2>"$SESSION_DIR/err.log" &
    clock=$! && x_session_track "$clock"
    window=$(timeout 20 xdotool search --sync --onlyvisible --class Diglux | head -n 1)
    [ -n "$window" ] || x_session_fail "no Diglux window appeared; stderr: $(cat "$SESSION_DIR/err.log")"
}

# x_session_need_check TESTS_FOLDER [TOOL...]: check, the screenshot reader; it and TOOLs must exist.
x_session_need_check() {
    check="$1/diglux_e2e_check"
    [ -x "$check" ] || x_session_fail "$check is missing (build target diglux_e2e_check)"
    x_session_need import "${@:2}"
}

# x_session_ended HOW [PID [LOG]]: the clock (or PID, its stderr in LOG) ends within 10 s with
# status 0; x_session_ended_quietly: and without a word on stderr, which x_session_quiet checks.
x_session_ended() {
    local pid=${2:-$clock} log=${3:-$SESSION_DIR/err.log}
    x_session_poll 100 eval '! kill -0 $pid 2>/dev/null' || x_session_fail "$1: still running after 10 s"
    wait "$pid" || x_session_fail "$1: exit status $?; stderr: $(cat "$log")"
}
x_session_ended_quietly() { x_session_ended "$1" && x_session_quiet "$1"; }
x_session_quiet() { [ ! -s "$SESSION_DIR/err.log" ] || x_session_fail "$1: output on stderr: $(cat "$SESSION_DIR/err.log")"; }
# x_session_said CASE PATTERN: the clock's stderr is one line, "diglux: " and PATTERN.
x_session_said() {
    [ "$(wc -l <"$SESSION_DIR/err.log")" -eq 1 ] && grep -q "^diglux: $2" "$SESSION_DIR/err.log" ||
        x_session_fail "$1: not one line \"diglux: $2\" on stderr: $(cat "$SESSION_DIR/err.log")"
}

# Sleeps until SECONDS after the clock was started.
x_session_wait_until() {
    sleep "$(awk -v t="$1" -v l="$launched" -v n="$(date +%s.%N)" 'BEGIN { s = t - (n - l); print (s > 0 ? s : 0) }')"
}

# x_session_store_has LINE...: the clock's settings file holds each of the lines given.
x_session_store_has() {
    local store="$XDG_CONFIG_HOME/diglux/registry.reg"
    [ -f "$store" ] || x_session_fail "no settings store was written"
    for value; do grep -qF "$value" "$store" || x_session_fail "the store lacks $value: $(cat "$store")"; done
}

# x_session_read_display [R G B]: face, line and field as a screenshot of the clock shows them.
x_session_read_display() {
    import -window root "$SESSION_DIR/shot.png" || x_session_fail "screenshot failed"
    local text
    text=$("$check" "$SESSION_DIR/shot.png" 32 32 "$@") || x_session_fail "cannot read the display"
    { IFS= read -r face && IFS= read -r line && IFS= read -r field; } <<<"$text"
    face=${face#clock: } line=${line#line: } field=${field#field: }
}

# A private PulseAudio server; its null sink's monitor records every stream from its start.
audio_server_start() {
    x_session_need pulseaudio pactl parec
    local dir="$SESSION_DIR/audio"
    mkdir -m 700 -p "$dir"
    HOME="$dir" XDG_RUNTIME_DIR="$dir" PULSE_RUNTIME_PATH="$dir/pulse" pulseaudio -n --daemonize=no \
        --use-pid-file=no --exit-idle-time=-1 --disallow-exit=yes --disable-shm=yes --log-target="file:$dir/log" \
        -L "module-native-protocol-unix auth-anonymous=1 socket=$dir/native" \
        -L "module-null-sink sink_name=nullsink norewinds=1" >/dev/null 2>&1 &
    x_session_track $!
    export PULSE_SERVER="unix:$dir/native"
    x_session_poll 100 eval 'pactl info >/dev/null 2>&1' || x_session_fail "PulseAudio did not start: $(cat "$dir/log" 2>/dev/null)"
    pactl set-default-sink nullsink
}

# audio_record_start FILE: records the sink (raw s16le mono 22050 Hz) until audio_record_stop.
audio_record_start() {
    parec --device=nullsink.monitor --raw --format=s16le --rate=22050 --channels=1 --latency-msec=50 >"$1" &
    recorder=$! && x_session_track "$recorder"
    sleep 0.5 # until the stream runs
}
audio_record_stop() { kill -INT "$recorder" 2>/dev/null && wait "$recorder" 2>/dev/null; }
