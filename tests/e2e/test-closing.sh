#!/usr/bin/env bash
# Closing the real clock: Escape sent by another program and the window manager's close
# (Alt+F4 under openbox) both run the shutdown, and the program leaves with status 0.
#
# usage: test-closing.sh DIGLUX_BINARY TESTS_FOLDER
set -u
diglux=$1
. "$(dirname "$0")/x-session.sh"
x_session_start

# Starts the clock and prints its window id; the clock's pid is left in $clock.
start_clock() {
    "$diglux" >"$SESSION_DIR/out.log" 2>"$SESSION_DIR/err.log" &
    clock=$!
    x_session_track "$clock"
    window=$(timeout 20 xdotool search --sync --onlyvisible --class Diglux | head -n 1)
    [ -n "$window" ] || x_session_fail "no Diglux window appeared; stderr: $(cat "$SESSION_DIR/err.log")"
    sleep 1 # past the first drawing
}

expect_clean_exit() {
    local how=$1 status
    for _ in $(seq 100); do
        kill -0 "$clock" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$clock" 2>/dev/null && x_session_fail "$how: the clock is still running after 10 s"
    wait "$clock"
    status=$?
    [ "$status" -eq 0 ] || x_session_fail "$how: exit status $status; stderr: $(cat "$SESSION_DIR/err.log")"
    [ -s "$SESSION_DIR/err.log" ] && x_session_fail "$how: output on stderr: $(cat "$SESSION_DIR/err.log")"
    return 0
}

start_clock
xdotool key --window "$window" Escape
expect_clean_exit "Escape"

start_clock
timeout 5 xdotool windowactivate --sync "$window" 2>/dev/null
xdotool key alt+F4
expect_clean_exit "Alt+F4 through the window manager"

echo "PASS: Escape and the window manager's close end the clock cleanly"
