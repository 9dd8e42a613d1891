#!/usr/bin/env bash
# The text displays of the real clock on Friday, 1 March 2024: the welcome text scrolls
# across the line at start, and when it has passed the line shows the weekday and the field
# the calendar week.
. "$(dirname "$0")/x-session.sh"
x_session_need_check "$2"
x_session_start
x_session_clock "$1" "2024-03-01 09:05:07"

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

weekday_and_week() { x_session_read_display && [ "$line" = "FREITAG      " ] && [ "$field" = "   KW 9" ] || ! sleep 0.9; }
x_session_poll 60 weekday_and_week ||
    x_session_fail "after the welcome the line reads \"$line\" and the field \"$field\", not FREITAG, KW 9"
echo "PASS: the greeting scrolled, then \"$line\" and \"$field\""
