#!/usr/bin/env bash
# The real clock at a fixed clock time under Xvfb and openbox: the window appears at its
# default place with its size, the screenshot shows the time and date in the display colour,
# and SIGTERM (the session ending) lets it shut down normally without a word on stderr.
. "$(dirname "$0")/x-session.sh"
start_time='2024-03-01 09:05:07'
x_session_need_check "$2"
x_session_start
x_session_clock "$1" "$start_time"

geometry=$(xwininfo -id "$window")
read_field() { sed -n "s/^ *$1: *//p" <<<"$geometry"; }
place="$(read_field "Absolute upper-left X"),$(read_field "Absolute upper-left Y")"
size="$(read_field Width)x$(read_field Height)"
[ "$place $size" = "32,32 654x238" ] || x_session_fail "window at $place, $size; expected 32,32, 654x238"

sleep 1.5 # the first drawing and the start message settle
before=$(date +%s.%N)
x_session_read_display
after=$(date +%s.%N)
# The clock time between the start plus the seconds before and after the screenshot, with
# a second more either way for the tick.
start=$(date -u -d "$start_time" +%s)
from=$(($(awk -v a="$before" -v b="$launched" 'BEGIN { printf "%d", a - b - 1 }') - 1))
to=$(($(awk -v a="$after" -v b="$launched" 'BEGIN { printf "%d", a - b + 1 }') + 1))
for s in $(seq "$from" "$to") none; do
    [ "$s" = none ] && x_session_fail "the clock shows \"$face\", not $start_time + $from..$to s"
    [ "$face" = "$(date -u -d "@$((start + s))" '+%d.%m.%Y %H:%M:%S')" ] && break
done

kill -TERM "$clock"
x_session_ended_quietly "SIGTERM"
echo "PASS: window at 32,32, 654x238, \"$face\" shown, clean exit on SIGTERM"
