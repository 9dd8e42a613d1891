#!/usr/bin/env bash
# How long the clock takes from the Space key to the first sound it hands to the sound server,
# cold (the first sound after start, its sound libraries not loaded yet) and warm (the next
# Space, after the first sound has ended), in a private Xvfb + openbox session with a private PulseAudio server
# and null sink (tests/e2e/x-session.sh). Each repetition starts a fresh clock, waits SETTLE
# seconds (past the welcome text), focuses it and types Space through XTEST twice.
#
# The times come from bench/soundwatch (built with the benchmarks), preloaded into the clock:
# the start is the X server's time of the key event (Xvfb stamps it with the monotonic clock, in
# milliseconds), the end the moment libpulse is handed the first samples above silence. The
# time from the clock reading the key is given too, and the steps in between (loading SDL or
# ALSA, connecting to the server, the playback stream). A second series without the preload reads
# the clock's memory (VmRSS, and Pss from smaps_rollup) before the first Space and after the
# sound has ended. A desktop session has a D-Bus session bus, which SDL's audio connects to when
# it starts; a private one is started as well (SESSION_BUS=0 leaves it out, as the end-to-end
# tests do).
#
# usage: bench/sound-latency.sh [DIGLUX_BINARY]     (default: build/diglux)
#        REPS=7 SETTLE=10 MEMORY_REPS=3 bench/sound-latency.sh
set -u
here=$(cd "$(dirname "$0")" && pwd)
diglux=${1:-$here/../build/diglux}
reps=${REPS:-7}
settle=${SETTLE:-10}
memory_reps=${MEMORY_REPS:-3}
[ -x "$diglux" ] || { echo "sound-latency: $diglux is not an executable; build it first" >&2; exit 1; }
watch=${SOUNDWATCH:-$here/../build/bench/libdiglux_soundwatch.so}
[ -f "$watch" ] || { echo "sound-latency: $watch is missing; build the benchmarks" >&2; exit 1; }

. "$here/../tests/e2e/x-session.sh"
x_session_start
audio_server_start
if [ "${SESSION_BUS:-1}" = 1 ]; then
    x_session_need dbus-daemon
    dbus-daemon --session --nofork --nopidfile --address="unix:path=$SESSION_DIR/bus" >/dev/null 2>&1 &
    x_session_track $!
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$SESSION_DIR/bus"
    x_session_poll 50 test -S "$SESSION_DIR/bus" || x_session_fail "the session bus did not start"
fi

# start_clock [LOG]: a fresh clock, with the watcher writing to LOG when given; sets pid.
start_clock() {
    if [ -n "${1:-}" ]; then
        LD_PRELOAD="$watch" DIGLUX_SOUNDWATCH_LOG="$1" "$diglux" >/dev/null 2>"$SESSION_DIR/err.log" &
    else
        "$diglux" >/dev/null 2>"$SESSION_DIR/err.log" &
    fi
    pid=$! && x_session_track "$pid"
    window=$(timeout 20 xdotool search --sync --onlyvisible --class Diglux | head -n 1)
    [ -n "$window" ] || x_session_fail "no Diglux window appeared: $(cat "$SESSION_DIR/err.log")"
    sleep "$settle"
    timeout 5 xdotool windowactivate --sync "$window" 2>/dev/null
}
stop_clock() {
    kill -TERM "$pid" 2>/dev/null
    x_session_poll 100 eval '! kill -0 $pid 2>/dev/null'
}

# space [LOG N]: types Space; waits for the Nth sound in LOG, then until the clock has no
# stream and no connection left on the sound server (as it must while silent).
space() {
    local log=${1:-} count=${2:-}
    xdotool key space
    [ -z "$log" ] || x_session_poll 50 eval '[ "$(grep -c "^sound " "$log")" -ge "$count" ]' ||
        x_session_fail "no sound was handed to the server: $(cat "$SESSION_DIR/err.log")"
    x_session_poll 100 eval '! pactl list clients | grep -q "process.id = \"$pid\""' ||
        x_session_fail "the clock kept its sound-server connection after the sound"
    sleep 0.5
}

memory() {
    awk '$1 == "VmRSS:" { printf "RSS %.1f MB", $2 / 1024 }' "/proc/$pid/status"
    awk '$1 == "Pss:" { printf ", PSS %.1f MB", $2 / 1024 }' "/proc/$pid/smaps_rollup"
}

# The presses in a watcher's log, one line each: the milliseconds from the server's key time
# and from the clock reading it to the first sound, then each step's offset from the key read.
presses() {
    awk '
        function flush() { if (key != "") print total, fromRead, steps }
        $1 == "key" {
            flush(); key = $2; server = $3; steps = ""; total = "-"; fromRead = "-"; next }
        key == "" { next }
        { at = ($2 - key) / 1e6; steps = steps sprintf(" %s%s@%.1f", $1, ($1 == "dlopen" || $1 == "stream") ? ($3 ? ">" : "<") : "", at) }
        $1 == "sound" && $3 > 0 { steps = steps sprintf("(after %d bytes of silence)", $3) }
        $1 == "sound" {
            ms = ($2 / 1e6) % 4294967296 - server
            if (ms < 0) ms += 4294967296
            total = sprintf("%.1f", ms); fromRead = sprintf("%.1f", at) }
        END { flush() }' "$1"
}

# median_max COLUMN FILE: "median M, max X" of that column.
median_max() {
    cut -d' ' -f"$1" "$2" | sort -n | awk '{ v[NR] = $1 } END {
        m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "median %.1f ms, max %.1f ms", m, v[NR] }'
}
summary() {
    echo "$1 over $(wc -l <"$2"): $(median_max 1 "$2") (from the clock reading the key: $(median_max 2 "$2"))"
}

echo "load average at the start: $(cut -d' ' -f1-3 /proc/loadavg)"
: >"$SESSION_DIR/cold" && : >"$SESSION_DIR/warm"
for rep in $(seq "$reps"); do
    log="$SESSION_DIR/watch.$rep.log"
    start_clock "$log"
    space "$log" 1
    space "$log" 2
    stop_clock
    presses "$log" >"$SESSION_DIR/presses"
    [ "$(wc -l <"$SESSION_DIR/presses")" -eq 2 ] || x_session_fail "not two key presses in $(cat "$log")"
    sed -n 1p "$SESSION_DIR/presses" >>"$SESSION_DIR/cold"
    sed -n 2p "$SESSION_DIR/presses" >>"$SESSION_DIR/warm"
    echo "run $rep: cold $(sed -n 1p "$SESSION_DIR/presses")"
    echo "run $rep: warm $(sed -n 2p "$SESSION_DIR/presses")"
done
summary cold "$SESSION_DIR/cold"
summary warm "$SESSION_DIR/warm"
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"

for rep in $(seq "$memory_reps"); do
    start_clock
    before=$(memory)
    space
    echo "memory $rep: before the first sound $before; after it $(memory)"
    stop_clock
done
