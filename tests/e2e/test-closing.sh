#!/usr/bin/env bash
# Closing the real clock: Escape sent by another program and the window manager's close
# (Alt+F4 under openbox) both run the shutdown, and the program leaves with status 0.
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
echo "PASS: Escape and the window manager's close end the clock cleanly"
