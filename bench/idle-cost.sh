#!/usr/bin/env bash
# What the running clock costs while it only shows the time: CPU (from /proc/PID/schedstat,
# averaged over DURATION seconds after SETTLE seconds for the welcome text), resident and
# proportional memory (/proc/PID/smaps_rollup), and the time from exec to the mapped window
# (measured by bench/mapwatch, built with the benchmarks).
# Runs in a private Xvfb + openbox session unless DISPLAY is set; HOME and the XDG folders
# are always private, so a clock the user runs is not disturbed.
#
# usage: bench/idle-cost.sh [DIGLUX_BINARY]      (default: build/diglux)
#        DURATION=60 SETTLE=30 bench/idle-cost.sh
set -u
here=$(cd "$(dirname "$0")" && pwd)
diglux=${1:-$here/../build/diglux}
duration=${DURATION:-60}
settle=${SETTLE:-30}
[ -x "$diglux" ] || { echo "idle-cost: $diglux is not an executable; build it first" >&2; exit 1; }

own_display=${DISPLAY:-}
. "$here/../tests/e2e/x-session.sh"
if [ -z "$own_display" ]; then
    x_session_start
else
    export HOME="$SESSION_DIR/home" XDG_CONFIG_HOME="$SESSION_DIR/home/.config"
    export XDG_RUNTIME_DIR="$SESSION_DIR/run" TMPDIR="$SESSION_DIR/tmp"
    mkdir -p "$XDG_CONFIG_HOME" "$TMPDIR"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi
x_session_need xdotool
mapwatch=${MAPWATCH:-$(dirname "$diglux")/bench/diglux_mapwatch}
[ -x "$mapwatch" ] || { echo "idle-cost: $mapwatch is missing; build the benchmarks" >&2; exit 1; }

window_mapped() {
    xdotool search --onlyvisible --class Diglux >/dev/null 2>&1
}
window_mapped && x_session_fail "a Diglux window is already on this display"

# Time to map: the watcher starts the clock and waits on the X server for the first window
# mapped among the root's children (the window manager's frame around the clock's window).
"$mapwatch" "$diglux" >"$SESSION_DIR/watch.out" 2>"$SESSION_DIR/err.log" ||
    x_session_fail "the clock's window did not appear: $(cat "$SESSION_DIR/err.log")"
read -r pid map_ms <"$SESSION_DIR/watch.out"
x_session_track "$pid"

cpu_ns() { cut -d' ' -f1 "/proc/$pid/schedstat"; }
rollup() { awk -v k="$1:" '$1 == k { print $2 }' "/proc/$pid/smaps_rollup"; }

echo "idle-cost: letting the welcome text finish ($settle s), then measuring for $duration s" >&2
sleep "$settle"
cpu0=$(cpu_ns)
t0=$EPOCHREALTIME
sleep "$duration"
cpu1=$(cpu_ns)
t1=$EPOCHREALTIME
kill -0 "$pid" 2>/dev/null || x_session_fail "the clock ended during the measurement"
rss_kb=$(rollup Rss)
pss_kb=$(rollup Pss)

awk -v c0="$cpu0" -v c1="$cpu1" -v t0="$t0" -v t1="$t1" -v rss="$rss_kb" -v pss="$pss_kb" \
    -v map="$map_ms" '
function verdict(ok) { return ok ? "ok" : "OVER" }
BEGIN {
    cpu = (c1 - c0) / 1e9 / (t1 - t0) * 100
    printf "CPU         %7.3f %% of a core   target <= 0.1 %%   %s\n", cpu, verdict(cpu <= 0.1)
    printf "RSS         %7.1f MB            target <= 10 MB    %s\n", rss / 1024, verdict(rss <= 10240)
    printf "PSS         %7.1f MB            target <= 6 MB     %s\n", pss / 1024, verdict(pss <= 6144)
    printf "exec to map %7d ms            target <= 40 ms    %s\n", map, verdict(map <= 40)
}'
