#!/usr/bin/env bash
# The real clock at a fixed clock time under Xvfb and openbox: the window appears at its
# default place with its size, the screenshot shows the time and date in the display colour,
# and SIGTERM (the session ending) lets it shut down normally without a word on stderr.
. "$(dirname "$0")/x-session.sh"
start_time='2024-03-01 09:05:07'
x_session_need_check "$2"
x_session_start
x_session_clock "$1" "$start_time"

geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/^ *\(Position\|Geometry\): \([^ ]*\).*/\2/p' | paste -sd ' ')
[ "$geometry" = "32,32 654x238" ] || x_session_fail "window at $geometry; expected 32,32 654x238"

sleep 1.5 # the first drawing and the start message settle
before=$(date +%s.%N)
x_session_read_display
after=$(date +%s.%N)
# The clock time shown is the start plus the seconds that passed until the screenshot, give
# or take a second more either way for the tick.
shown=$(date -u -d "$(sed -E 's/^(..)\.(..)\.(....) /\3-\2-\1 /' <<<"$face")" +%s 2>/dev/null) &&
    awk -v s=$((shown - $(date -u -d "$start_time" +%s))) -v a="$before" -v b="$after" -v l="$launched" \
        'BEGIN { exit !(s >= int(a - l - 1) - 1 && s <= int(b - l + 1) + 1) }' ||
    x_session_fail "the clock shows \"$face\", not $start_time and the seconds since the start"

kill -TERM "$clock"
x_session_ended_quietly "SIGTERM"
echo "PASS: window at 32,32, 654x238, \"$face\" shown, clean exit on SIGTERM"
