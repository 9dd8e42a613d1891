#!/usr/bin/env bash
# The real clock at a fixed clock time under Xvfb and openbox: the window appears at its
# default place with its size, the screenshot shows the time and date in the display
# colour, and SIGTERM (the session ending) lets it shut down normally.
#
# usage: test-clock-face.sh DIGLUX_BINARY TESTS_FOLDER
set -u
. "$(dirname "$0")/x-session.sh"
start_time='2024-03-01 09:05:07'
x_session_need_check "$2"
x_session_start
x_session_clock "$1" "$start_time"

geometry=$(xwininfo -id "$window")
read_field() { sed -n "s/^ *$1: *//p" <<<"$geometry"; }
left=$(read_field "Absolute upper-left X")
top=$(read_field "Absolute upper-left Y")
size="$(read_field "Width")x$(read_field "Height")"
[ "$left,$top" = "32,32" ] || x_session_fail "window at $left,$top, expected 32,32"
[ "$size" = "654x238" ] || x_session_fail "window is $size, expected 654x238"

sleep 1.5 # the first drawing and the start message settle
before=$(date +%s.%N)
import -window root "$SESSION_DIR/shot.png" || x_session_fail "screenshot failed"
after=$(date +%s.%N)
min_elapsed=$(awk -v a="$before" -v b="$launched" 'BEGIN { printf "%d", a - b - 1 }')
max_elapsed=$(awk -v a="$after" -v b="$launched" 'BEGIN { printf "%d", a - b + 1 }')
if ! "$check" "$SESSION_DIR/shot.png" "$left" "$top" "$start_time" "$min_elapsed" "$max_elapsed"; then
    cp "$SESSION_DIR/shot.png" "/tmp/diglux-e2e-failed-shot.png" 2>/dev/null &&
        echo "screenshot kept as /tmp/diglux-e2e-failed-shot.png" >&2
    x_session_fail "the screenshot does not show $start_time (+$min_elapsed..$max_elapsed s)"
fi

# The session ends: the clock must run its shutdown and leave by itself.
kill -TERM "$clock"
x_session_ended "SIGTERM"
x_session_quiet "SIGTERM"
echo "PASS: window at 32,32, 654x238, time and date as expected, clean exit on SIGTERM"
