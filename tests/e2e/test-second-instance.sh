#!/usr/bin/env bash
# A second start while the clock runs: the second process shows its message box (no clock
# window) and ends when the box is closed, or at once when the session ends meanwhile; the
# first clock keeps running undisturbed.
. "$(dirname "$0")/x-session.sh"
x_session_start
x_session_clock "$1"

# Whether the second process has shown a window besides the clock's (set in box) or ended.
box_or_end() {
    box=$(xdotool search --onlyvisible --class Diglux 2>/dev/null | grep -vx "$window" | head -n 1)
    [ -n "$box" ] || ! kill -0 "$second" 2>/dev/null
}
for how in "the box answered" "SIGTERM while the box is open"; do
    "$1" >"$SESSION_DIR/second.log" 2>&1 &
    second=$! && x_session_track "$second"
    x_session_poll 100 box_or_end && [ -n "$box" ] || x_session_fail "no message box from the second start"
    xwininfo -id "$box" | grep -q "Width: 654" && x_session_fail "the second start opened a clock window"
    sleep 0.3
    case $how in *answered) xdotool key --window "$box" Return ;; *) kill -TERM "$second" ;; esac
    x_session_ended "$how" "$second" "$SESSION_DIR/second.log"
    kill -0 "$clock" 2>/dev/null || x_session_fail "$how: the first clock has gone"
    xwininfo -id "$window" | grep -q IsViewable || x_session_fail "$how: the first clock's window is not shown any more"
done
echo "PASS: a second start shows its box and ends; the first clock runs on"
