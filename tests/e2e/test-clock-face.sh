#!/usr/bin/env bash
# The real clock at a fixed clock time under Xvfb and openbox: the window appears at its
# default place with its size, the screenshot shows the time and date in the display
# colour, and SIGTERM (the session ending) lets it shut down normally.
#
# usage: test-clock-face.sh DIGLUX_BINARY TESTS_FOLDER
set -u
diglux=$1
check="$2/diglux_e2e_check"
. "$(dirname "$0")/x-session.sh"

start_time='2024-03-01 09:05:07'
faketime_lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1
[ -x "$check" ] || x_session_fail "$check is missing (build target diglux_e2e_check)"
[ -e "$faketime_lib" ] || x_session_fail "libfaketime is not installed (scripts/install-deps)"
x_session_need import
x_session_start

# The library is preloaded directly (the faketime wrapper would fork), so that $! is the
# clock itself. "@" lets the fixed time advance; frozen time would stop every timer.
launched=$(date +%s.%N)
TZ=UTC LD_PRELOAD=$faketime_lib FAKETIME="@$start_time" FAKETIME_DONT_FAKE_MONOTONIC=1 \
    "$diglux" >"$SESSION_DIR/out.log" 2>"$SESSION_DIR/err.log" &
clock=$!
x_session_track "$clock"

window=$(timeout 20 xdotool search --sync --class Diglux | head -n 1)
[ -n "$window" ] || x_session_fail "no Diglux window appeared; stderr: $(cat "$SESSION_DIR/err.log")"

geometry=$(xwininfo -id "$window")
read_field() { sed -n "s/^ *$1: *//p" <<<"$geometry"; }
left=$(read_field "Absolute upper-left X")
top=$(read_field "Absolute upper-left Y")
width=$(read_field "Width")
height=$(read_field "Height")
[ "$left,$top" = "32,32" ] || x_session_fail "window at $left,$top, expected 32,32"
[ "${width}x$height" = "654x238" ] || x_session_fail "window is ${width}x$height, expected 654x238"
grep -q "IsViewable" <<<"$geometry" || x_session_fail "window is not viewable"

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
for _ in $(seq 50); do
    kill -0 "$clock" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$clock" 2>/dev/null && x_session_fail "the clock did not end within 5 s of SIGTERM"
wait "$clock"
status=$?
[ "$status" -eq 0 ] || x_session_fail "the clock ended with status $status; stderr: $(cat "$SESSION_DIR/err.log")"
[ -s "$SESSION_DIR/err.log" ] && x_session_fail "unexpected output on stderr: $(cat "$SESSION_DIR/err.log")"
echo "PASS: window at 32,32, 654x238, time and date as expected, clean exit on SIGTERM"
