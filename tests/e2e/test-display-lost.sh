#!/usr/bin/env bash
# The X server dies under the running clock (killed, as in a crash): the clock notices, runs
# its shutdown without the display, writes its settings (here a Blink switched on by F2 just
# before), says so in one line on stderr and leaves with status 0 instead of dying in Xlib.
. "$(dirname "$0")/x-session.sh"
x_session_start
x_session_clock "$1"
sleep 1 && xdotool key --window "$window" F2 && sleep 0.5

kill -KILL "$xvfb" && wait "$xvfb" 2>/dev/null
x_session_ended "the X server died"
x_session_said "the X server died" "the X display has gone away"
x_session_store_has '"Blink"="1"'
echo "PASS: a dying X server ends the clock in order, with its settings written"
