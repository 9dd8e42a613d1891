#!/usr/bin/env bash
# The alarm and the keys on the real clock under openbox, with a private sound server: an
# alarm typed for 07:30 a few seconds ahead rings (banner on the line, the tone heard on the
# null sink, the window above the others); Space stops it; F6 tints the display red; F10,
# 2, 5, 3, 0, Enter sets 20:30; Esc ends the clock, and its store holds the new values.
. "$(dirname "$0")/x-session.sh"
x_session_need_check "$2" sox
x_session_start
audio_server_start
x_session_clock "$1" "2024-03-01 07:29:50"

reads() { x_session_read_display "${@:2}" && [ "$line" = "$1" ]; }
# press LINE COLOUR KEYS...: the keys, then a few seconds' wait for the line to read LINE.
press() {
    xdotool key --window "$window" --delay 80 "${@:3}" && sleep 0.3
    x_session_poll 20 reads "$1" $2 || x_session_fail "the line reads \"$line\", expected \"$1\""
}
above() { xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }

sleep 1
press "ALARM: 07:30 " "" F10 0 7 3 0 Return
above && x_session_fail "the window is above the others before the alarm"
audio_record_start "$SESSION_DIR/sink.raw"
x_session_wait_until 13 # 07:30:03: ringing for three seconds
audio_record_stop
# The window is above the others in every bright phase and released in every dark one.
x_session_poll 20 above || x_session_fail "the ringing alarm did not raise the window above the others"
x_session_read_display
case "$line" in ">>> ALARM <<<" | ">>> 07:30 <<<") ;; *) x_session_fail "no alarm banner: \"$line\"" ;; esac
rms=$(sox -t raw -r 22050 -e signed -b 16 -c 1 "$SESSION_DIR/sink.raw" -n stat 2>&1 | sed -n 's/^RMS *amplitude: *//p')
awk -v r="${rms:-0}" 'BEGIN { exit !(r > 0.02) }' || x_session_fail "no alarm tone heard (RMS $rms)"

press "ALARM STOP   " "" space
sleep 0.5
above && x_session_fail "the window stayed above the others after the alarm stopped"
press "FARBE: ROT   " "255 63 47" F6
press "ALARM: 20:30 " "255 63 47" F10 2 5 3 0 Return
xdotool key --window "$window" Escape
x_session_ended "Esc"
x_session_store_has '"Alarm.Time"="20:30"' '"Alarm.Enabled"="1"' '"Color.R"="255"' '"Color.G"="63"'
echo "PASS: the alarm rang (tone RMS $rms, window above), Space stopped it, F6, F10 and Esc"
