#!/usr/bin/env bash
# The text displays of the real clock on Friday, 1 March 2024: the welcome text scrolls
# across the line at start, and when it has passed the line shows the weekday and the field
# the calendar week.
#
# usage: test-text-display.sh DIGLUX_BINARY TESTS_FOLDER
set -u
. "$(dirname "$0")/x-session.sh"
x_session_need_check "$2"
x_session_start
x_session_clock "$1" "2024-03-01 09:05:07"

# Every reading while the welcome runs is a 13-character window of it (the triangles read
# as ">"), and the greeting passes by in the first seconds.
blanks='             '
welcome="${blanks}     >>>  Guten Morgen & Willkommen!  >>>  DIGLUX  V1.00  16.03.2022  (C) 2022-2024"
welcome+=" Tandemark  >>>  [F1]: Einstellungen  >  (T): Tastenblegung anzeigen  >  (Rechts-Klick)"
welcome+=" auf Zeit/Datum = Ansage  >>>     ${blanks}"
greeted=no
for _ in $(seq 20); do
    x_session_read_display
    [[ "$welcome" == *"$line"* ]] || x_session_fail "the line reads \"$line\", no part of the welcome"
    case "$line" in *Guten* | *Morgen*) greeted=yes; break ;; esac
done
[ "$greeted" = yes ] || x_session_fail "the greeting did not scroll past; the line read \"$line\""

for _ in $(seq 60); do
    x_session_read_display
    [ "$line" = "FREITAG      " ] && [ "$field" = "   KW 9" ] && break
    sleep 1
done
[ "$line" = "FREITAG      " ] || x_session_fail "after the welcome the line reads \"$line\", not FREITAG"
[ "$field" = "   KW 9" ] || x_session_fail "the field reads \"$field\", not \"   KW 9\""
echo "PASS: the greeting scrolled, then \"$line\" and \"$field\""
