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
x_session_clock "$diglux"

# Starts another instance and waits for its message box; the pid is left in $second.
start_second() {
    "$diglux" >"$SESSION_DIR/second.log" 2>&1 &
    second=$!
    x_session_track "$second"
    box=""
    for _ in $(seq 100); do
        box=$(xdotool search --onlyvisible --class Diglux 2>/dev/null | grep -vx "$window" | head -n 1)
        [ -n "$box" ] && break
        kill -0 "$second" 2>/dev/null || x_session_fail "the second start ended without a message box"
        sleep 0.1
    done
    [ -n "$box" ] || x_session_fail "no message box from the second start"
    xwininfo -id "$box" | grep -q "Width: 654" && x_session_fail "the second start opened a clock window"
    sleep 0.3
}

expect_ended() {
    x_session_ended "$1" "$second" "$SESSION_DIR/second.log"
    kill -0 "$clock" 2>/dev/null || x_session_fail "$1: the first clock has gone"
    xwininfo -id "$window" | grep -q IsViewable ||
        x_session_fail "$1: the first clock's window is not shown any more"
}

start_second
xdotool key --window "$box" Return
expect_ended "the box answered"

start_second
kill -TERM "$second"
expect_ended "SIGTERM while the box is open"

echo "PASS: a second start shows its box and ends; the first clock runs on"
