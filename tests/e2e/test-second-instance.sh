#!/usr/bin/env bash
# A second start while the clock runs: the second process shows its message box and ends
# when the box is closed (or at once when the session ends meanwhile); the first clock
# keeps running undisturbed.
#
# usage: test-second-instance.sh DIGLUX_BINARY TESTS_FOLDER
set -u
diglux=$1
. "$(dirname "$0")/x-session.sh"
x_session_start

"$diglux" >"$SESSION_DIR/first.log" 2>&1 &
first=$!
x_session_track "$first"
clock_window=$(timeout 20 xdotool search --sync --onlyvisible --class Diglux | head -n 1)
[ -n "$clock_window" ] || x_session_fail "the first clock did not appear: $(cat "$SESSION_DIR/first.log")"

# Starts another instance and waits for its message box; the pid is left in $second.
start_second() {
    "$diglux" >"$SESSION_DIR/second.log" 2>&1 &
    second=$!
    x_session_track "$second"
    box=""
    for _ in $(seq 100); do
        box=$(xdotool search --onlyvisible --class Diglux 2>/dev/null | grep -vx "$clock_window" | head -n 1)
        [ -n "$box" ] && break
        kill -0 "$second" 2>/dev/null || x_session_fail "the second start ended without a message box"
        sleep 0.1
    done
    [ -n "$box" ] || x_session_fail "no message box from the second start"
    geometry=$(xwininfo -id "$box")
    grep -q "Width: 654" <<<"$geometry" && x_session_fail "the second start opened a clock window"
    sleep 0.3
}

expect_ended() {
    local how=$1 status
    for _ in $(seq 50); do
        kill -0 "$second" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$second" 2>/dev/null && x_session_fail "$how: the second process is still running"
    wait "$second"
    status=$?
    [ "$status" -eq 0 ] || x_session_fail "$how: the second process ended with status $status"
    kill -0 "$first" 2>/dev/null || x_session_fail "$how: the first clock has gone"
    xwininfo -id "$clock_window" | grep -q IsViewable ||
        x_session_fail "$how: the first clock's window is not shown any more"
}

start_second
xdotool key --window "$box" Return
expect_ended "the box answered"

start_second
kill -TERM "$second"
expect_ended "SIGTERM while the box is open"

echo "PASS: a second start shows its box and ends; the first clock runs on"
