#!/usr/bin/env bash
# What the running clock costs while it only shows the time, beside Debian's leanest X clock
# (dclock -seconds -miltime) in the same X server over the same seconds: CPU (from
# /proc/PID/schedstat), resident and proportional memory (/proc/PID/smaps_rollup), and the time
# from exec to the mapped window (measured by bench/mapwatch, built with the benchmarks).
# Four cases: idle with the colons steady, idle with them blinking (each DURATION seconds after
# SETTLE seconds for the welcome text), the field's roll at start (its first ROLL seconds, in
# which the welcome text waits), the welcome text scrolling (the SCROLL seconds after those),
# and the alarm ringing with its tone (ALARM seconds, through a private sound server).
# Runs in a private Xvfb + openbox session unless DISPLAY is set; HOME and the XDG folders
# are always private, so a clock the user runs is not disturbed.
#
# usage: bench/idle-cost.sh [DIGLUX_BINARY]      (default: build/diglux)
#        DURATION=60 SETTLE=30 ROLL=3 SCROLL=8 ALARM=30 bench/idle-cost.sh
set -u
here=$(cd "$(dirname "$0")" && pwd)
diglux=${1:-$here/../build/diglux}
duration=${DURATION:-60}
settle=${SETTLE:-30}
scroll=${SCROLL:-8}
roll=${ROLL:-3}
alarm=${ALARM:-30}
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
x_session_need xdotool dclock
mapwatch=${MAPWATCH:-$(dirname "$diglux")/bench/diglux_mapwatch}
[ -x "$mapwatch" ] || { echo "idle-cost: $mapwatch is missing; build the benchmarks" >&2; exit 1; }
xdotool search --onlyvisible --class Diglux >/dev/null 2>&1 &&
    x_session_fail "a Diglux window is already on this display"

# start_clock [NAME=VALUE...]: the clock with these settings stored, started by the watcher,
# which waits on the X server for the first window mapped among the root's children (the window
# manager's frame around the clock's window); sets pid and map_ms.
start_clock() {
    mkdir -p "$XDG_CONFIG_HOME/diglux"
    { printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Tandemark\\Diglux]\n'
      for setting; do printf '"%s"="%s"\n' "${setting%%=*}" "${setting#*=}"; done; } \
        >"$XDG_CONFIG_HOME/diglux/registry.reg"
    "$mapwatch" "$diglux" >"$SESSION_DIR/watch.out" 2>"$SESSION_DIR/err.log" ||
        x_session_fail "the clock's window did not appear: $(cat "$SESSION_DIR/err.log")"
    read -r pid map_ms <"$SESSION_DIR/watch.out"
    x_session_track "$pid"
}
stop_clock() {
    kill -TERM "$pid" 2>/dev/null
    x_session_poll 100 eval '! kill -0 $pid 2>/dev/null'
}

cpu_ns() { cut -d' ' -f1 "/proc/$1/schedstat"; }
rollup() { awk -v k="$2:" '$1 == k { print $2 }' "/proc/$1/smaps_rollup"; }

# cpu SECONDS PID...: each process's CPU over the same SECONDS, in per cent of a core.
cpu() {
    local seconds=$1 p before=() t0 t1
    shift
    for p; do before+=("$(cpu_ns "$p")"); done
    t0=$EPOCHREALTIME
    sleep "$seconds"
    t1=$EPOCHREALTIME
    local i=0
    for p; do
        kill -0 "$p" 2>/dev/null || x_session_fail "process $p ended during the measurement"
        awk -v c0="${before[$i]}" -v c1="$(cpu_ns "$p")" -v t0="$t0" -v t1="$t1" \
            'BEGIN { printf "%.3f ", (c1 - c0) / 1e9 / (t1 - t0) * 100 }'
        i=$((i + 1))
    done
}

dclock -seconds -miltime >/dev/null 2>&1 &
dclock=$! && x_session_track "$dclock"

# idle NAME [SETTINGS...]: the clock and dclock side by side once the welcome has passed.
idle() {
    local name=$1
    shift
    start_clock "$@"
    echo "idle-cost: $name: letting the welcome text finish ($settle s), then $duration s" >&2
    sleep "$settle"
    read -r clock_cpu dclock_cpu <<<"$(cpu "$duration" "$pid" "$dclock")"
    awk -v n="$name" -v c="$clock_cpu" -v d="$dclock_cpu" -v rss="$(rollup "$pid" Rss)" \
        -v pss="$(rollup "$pid" Pss)" -v drss="$(rollup "$dclock" Rss)" -v map="$map_ms" 'BEGIN {
        printf "%-14s CPU %.3f %% of a core, dclock %.3f %% (%.1f times); RSS %.1f MB (dclock %.1f MB), PSS %.1f MB; exec to map %d ms\n",
            n, c, d, (d > 0 ? c / d : 0), rss / 1024, drss / 1024, pss / 1024, map }'
    stop_clock
}

idle "idle" Blink=0
idle "idle, blinking" Blink=1

start_clock
echo "idle-cost: the field's roll, then the welcome text" >&2
echo "roll at start  CPU $(cpu "$roll" "$pid")% of a core in the first $roll s"
echo "welcome        CPU $(cpu "$scroll" "$pid")% of a core while the text scrolls (the next $scroll s)"
stop_clock

audio_server_start
at=$(date -d '+1 minute' +%H:%M)
start_clock Alarm.Enabled=1 "Alarm.Time=$at" Alarm.SagZeit=0
echo "idle-cost: the alarm at $at, then $alarm s of ringing" >&2
wait_s=$(($(date -d "$at" +%s) - $(date +%s) + 2))
sleep "$((wait_s > 0 ? wait_s : 0))"
echo "alarm ringing  CPU $(cpu "$alarm" "$pid")% of a core, RSS $(awk '{ printf "%.1f", $1 / 1024 }' <<<"$(rollup "$pid" Rss)") MB"
stop_clock
