#!/usr/bin/env bash
# Closing the real clock: Escape, the window manager's close (Alt+F4 under openbox), and the X
# server killed under it: each runs the shutdown (the last without the display, but saving the
# Blink F2 switched on and saying so in one line) and leaves with status 0, never dying in Xlib.
. "$(dirname "$0")/x-session.sh"
x_session_start

x_session_clock "$1"
sleep 1 # past the first drawing
xdotool key --window "$window" Escape
x_session_ended_quietly "Escape"

x_session_clock "$1"
sleep 1
timeout 5 xdotool windowactivate --sync "$window" 2>/dev/null
xdotool key alt+F4
x_session_ended_quietly "Alt+F4 through the window manager"

x_session_clock "$1"
sleep 1 && xdotool key --window "$window" F2 && sleep 0.5

kill -KILL "$xvfb" && wait "$xvfb" 2>/dev/null
x_session_ended "the X server died"
x_session_said "the X server died" "the X display has gone away"
x_session_store_has '"Blink"="1"'
echo "PASS: Escape, the window manager's close and a dying X server end the clock in order"
