#!/usr/bin/env bash
# The text displays of the real clock on Friday, 1 March 2024: the welcome text scrolls
# across the line at start, and when it has passed the line shows the weekday and the field
# the calendar week.
#
# usage: test-text-display.sh DIGLUX_BINARY TESTS_FOLDER
set -u
diglux=$1
check="$2/diglux_e2e_check"
. "$(dirname "$0")/x-session.sh"

faketime_lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1
[ -x "$check" ] || x_session_fail "$check is missing (build target diglux_e2e_check)"
[ -e "$faketime_lib" ] || x_session_fail "libfaketime is not installed (scripts/install-deps)"
x_session_need import
x_session_start

TZ=UTC LD_PRELOAD=$faketime_lib FAKETIME="@2024-03-01 09:05:07" FAKETIME_DONT_FAKE_MONOTONIC=1 \
    "$diglux" >"$SESSION_DIR/out.log" 2>"$SESSION_DIR/err.log" &
x_session_track $!
window=$(timeout 20 xdotool search --sync --class Diglux | head -n 1)
[ -n "$window" ] || x_session_fail "no Diglux window appeared; stderr: $(cat "$SESSION_DIR/err.log")"

# Reads the line and the field off a fresh screenshot into $line and $field.
read_display() {
    import -window root "$SESSION_DIR/shot.png" || x_session_fail "screenshot failed"
    local text
    text=$("$check" --text "$SESSION_DIR/shot.png" 32 32) || x_session_fail "cannot read the display"
    line=$(sed -n 's/^line: //p' <<<"$text")
    field=$(sed -n 's/^field: //p' <<<"$text")
}

# Every reading while the welcome runs is a 13-character window of it (the triangles read
# as ">"), and the greeting passes by in the first seconds.
blanks='             '
welcome="${blanks}     >>>  Guten Morgen & Willkommen!  >>>  DIGLUX  V1.00  16.03.2022  (C) 2022-2024"
welcome+=" Tandemark  >>>  [F1]: Einstellungen  >  (T): Tastenblegung anzeigen  >  (Rechts-Klick)"
welcome+=" auf Zeit/Datum = Ansage  >>>     ${blanks}"
greeted=no
for _ in $(seq 20); do
    read_display
    [[ "$welcome" == *"$line"* ]] || x_session_fail "the line reads \"$line\", no part of the welcome"
    case "$line" in *Guten* | *Morgen*) greeted=yes; break ;; esac
done
[ "$greeted" = yes ] || x_session_fail "the greeting did not scroll past; the line read \"$line\""

for _ in $(seq 60); do
    read_display
    [ "$line" = "FREITAG      " ] && [ "$field" = "   KW 9" ] && break
    sleep 1
done
[ "$line" = "FREITAG      " ] || x_session_fail "after the welcome the line reads \"$line\", not FREITAG"
[ "$field" = "   KW 9" ] || x_session_fail "the field reads \"$field\", not \"   KW 9\""
echo "PASS: the greeting scrolled, then \"$line\" and \"$field\""
