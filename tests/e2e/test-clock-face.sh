#!/usr/bin/env bash
# The real clock on Friday, 1 March 2024: the window at its default place and size, the time and
# date in the display colour, the welcome scrolling, then the weekday and the calendar week;
# SIGTERM (the session ending) lets it shut down normally without a word on stderr.
. "$(dirname "$0")/x-session.sh"
start_time='2024-03-01 09:05:07'
x_session_need_check "$2"
x_session_start
x_session_clock "$1" "$start_time"

geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/^ *\(Position\|Geometry\): \([^ ]*\).*/\2/p' | paste -sd ' ')
[ "$geometry" = "32,32 654x238" ] || x_session_fail "window at $geometry; expected 32,32 654x238"

# Every reading while the welcome runs is a 13-character window of it (the triangles read
# as ">"), and the greeting passes by in the first seconds.
welcome="                  >>>  Guten Morgen & Willkommen!  >>>  DIGLUX  V1.00  16.03.2022  (C) "
welcome+="2022-2024 Tandemark  >>>  [F1]: Einstellungen  >  (T): Tastenblegung anzeigen  >  "
welcome+="(Rechts-Klick) auf Zeit/Datum = Ansage  >>>                  "
greeted() {
    x_session_read_display
    [[ "$welcome" == *"$line"* ]] || x_session_fail "the line reads \"$line\", no part of the welcome"
    [[ "$line" == *Guten* || "$line" == *Morgen* ]]
}
x_session_poll 15 greeted || x_session_fail "the greeting did not scroll past; the line read \"$line\""

before=$(date +%s.%N)
x_session_read_display
after=$(date +%s.%N)
# The clock time shown is the start plus the seconds that passed until the screenshot, give
# or take a second more either way for the tick.
shown=$(date -u -d "$(sed -E 's/^(..)\.(..)\.(....) /\3-\2-\1 /' <<<"$face")" +%s 2>/dev/null) &&
    awk -v s=$((shown - $(date -u -d "$start_time" +%s))) -v a="$before" -v b="$after" -v l="$launched" \
        'BEGIN { exit !(s >= int(a - l - 1) - 1 && s <= int(b - l + 1) + 1) }' ||
    x_session_fail "the clock shows \"$face\", not $start_time and the seconds since the start"

weekday_and_week() { x_session_read_display && [ "$line" = "FREITAG      " ] && [ "$field" = "   KW 9" ] || ! sleep 0.9; }
x_session_poll 60 weekday_and_week ||
    x_session_fail "after the welcome the line reads \"$line\" and the field \"$field\", not FREITAG, KW 9"
kill -TERM "$clock"
x_session_ended_quietly "SIGTERM"
echo "PASS: window at 32,32, 654x238, \"$face\" shown, the greeting scrolled, then \"$line\" and \"$field\", clean exit on SIGTERM"
