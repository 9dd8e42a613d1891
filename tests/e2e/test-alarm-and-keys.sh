#!/usr/bin/env bash
# The alarm and the keys on the real clock under openbox, with a private sound server: an
# alarm typed for 07:30 a few seconds ahead rings (banner on the line, the tone heard on the
# null sink, the window above the others); Space stops it; F6 tints the display red; F10,
# 2, 5, 3, 0, Enter sets 20:30; Esc ends the clock, and its store holds the new values.
#
# usage: test-alarm-and-keys.sh DIGLUX_BINARY TESTS_FOLDER
set -u
diglux=$1
check="$2/diglux_e2e_check"
here=$(dirname "$0")
. "$here/x-session.sh"
. "$here/audio-server.sh"

faketime_lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1
[ -x "$check" ] || x_session_fail "$check is missing (build target diglux_e2e_check)"
[ -e "$faketime_lib" ] || x_session_fail "libfaketime is not installed (scripts/install-deps)"
x_session_need import xprop sox
x_session_start
audio_server_start

launched=$(date +%s.%N)
TZ=UTC LD_PRELOAD=$faketime_lib FAKETIME="@2024-03-01 07:29:50" FAKETIME_DONT_FAKE_MONOTONIC=1 \
    "$diglux" >"$SESSION_DIR/out.log" 2>"$SESSION_DIR/err.log" &
clock=$!
x_session_track "$clock"
window=$(timeout 20 xdotool search --sync --class Diglux | head -n 1)
[ -n "$window" ] || x_session_fail "no Diglux window appeared; stderr: $(cat "$SESSION_DIR/err.log")"

# The text line as read off a screenshot, in the given display colour (default green).
line() {
    import -window root "$SESSION_DIR/shot.png" || x_session_fail "screenshot failed"
    "$check" --text "$SESSION_DIR/shot.png" 32 32 "$@" | sed -n 's/^line: //p'
}
keys() {
    xdotool key --window "$window" --delay 80 "$@"
    sleep 0.3
}
expect_line() { # TEXT [COLOUR]: waits up to 3 s for the line to read TEXT
    local want=$1 got
    shift
    for _ in $(seq 15); do
        got=$(line "$@")
        [ "$got" = "$want" ] && return 0
        sleep 0.2
    done
    x_session_fail "the line reads \"$got\", expected \"$want\""
}
above() {
    xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE
}
wait_until() { # seconds since launch
    local left
    left=$(awk -v t="$1" -v l="$launched" -v n="$(date +%s.%N)" 'BEGIN { print t - (n - l) }')
    awk -v s="$left" 'BEGIN { exit !(s > 0) }' && sleep "$left"
}

sleep 1
keys F10 0 7 3 0 Return
expect_line "ALARM: 07:30 "
above && x_session_fail "the window is above the others before the alarm"

audio_record_start "$SESSION_DIR/sink.raw"
wait_until 13 # 07:30:03: ringing for three seconds
audio_record_stop
# The window is above the others in every bright phase and released in every dark one.
raised=no
for _ in $(seq 20); do
    above && raised=yes && break
    sleep 0.1
done
[ "$raised" = yes ] || x_session_fail "the ringing alarm did not raise the window above the others"
got=$(line)
case "$got" in ">>> ALARM <<<" | ">>> 07:30 <<<") ;; *) x_session_fail "no alarm banner: \"$got\"" ;; esac
rms=$(sox -t raw -r 22050 -e signed -b 16 -c 1 "$SESSION_DIR/sink.raw" -n stat 2>&1 |
    sed -n 's/^RMS *amplitude: *//p')
awk -v r="${rms:-0}" 'BEGIN { exit !(r > 0.02) }' || x_session_fail "no alarm tone heard (RMS $rms)"

keys space
expect_line "ALARM STOP   "
sleep 0.5
above && x_session_fail "the window stayed above the others after the alarm stopped"

keys F6
expect_line "FARBE: ROT   " 255 63 47
keys F10 2 5 3 0 Return
expect_line "ALARM: 20:30 " 255 63 47

keys Escape
for _ in $(seq 50); do
    kill -0 "$clock" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$clock" 2>/dev/null && x_session_fail "Esc did not end the clock"
wait "$clock" || x_session_fail "the clock ended with a failure; stderr: $(cat "$SESSION_DIR/err.log")"
store="$XDG_CONFIG_HOME/diglux/registry.reg"
[ -f "$store" ] || x_session_fail "no settings store was written"
for value in '"Alarm.Time"="20:30"' '"Alarm.Enabled"="1"' '"Color.R"="255"' '"Color.G"="63"'; do
    grep -qF "$value" "$store" || x_session_fail "the store lacks $value: $(cat "$store")"
done
echo "PASS: the alarm rang (tone RMS $rms, window above), Space stopped it, F6, F10 and Esc"
