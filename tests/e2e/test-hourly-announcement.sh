#!/usr/bin/env bash
# The hourly signal heard through a PulseAudio null sink: the real clock at 09:59:50 (clock
# time), with the announcement switched on by its key (Z), plays PIEP, two pauses and
# "Es ist ~ zehn Uhr." joined from its own clips at 10:00:00, and the sentence scrolls on
# the text line meanwhile.
#
# usage: test-hourly-announcement.sh DIGLUX_BINARY TESTS_FOLDER
set -u
diglux=$1
here=$(dirname "$0")
clips="$here/../../speech/clips"
. "$here/x-session.sh"
. "$here/audio-server.sh"

start_time='2024-03-01 09:59:50'
faketime_lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1
[ -e "$faketime_lib" ] || x_session_fail "libfaketime is not installed (scripts/install-deps)"
x_session_need import python3
x_session_start
audio_server_start
audio_record_start "$SESSION_DIR/sink.raw"

launched=$(date +%s.%N)
TZ=UTC LD_PRELOAD=$faketime_lib FAKETIME="@$start_time" FAKETIME_DONT_FAKE_MONOTONIC=1 \
    "$diglux" >"$SESSION_DIR/out.log" 2>"$SESSION_DIR/err.log" &
clock=$!
x_session_track "$clock"
window=$(timeout 8 xdotool search --sync --class Diglux | head -n 1)
[ -n "$window" ] || x_session_fail "no Diglux window appeared; stderr: $(cat "$SESSION_DIR/err.log")"
sleep 1
xdotool key --window "$window" z # the announcement on (the hourly signal is on by default)

# Seconds since launch, as the clock counts them from 09:59:50.
wait_until() {
    local left
    left=$(awk -v t="$1" -v l="$launched" -v n="$(date +%s.%N)" 'BEGIN { print t - (n - l) }')
    awk -v s="$left" 'BEGIN { exit !(s > 0) }' && sleep "$left"
}
line_shot() { # the text line (20,198 200x23 in the window)
    import -window "$window" -crop 200x23+20+198 +repage "$SESSION_DIR/line$1.png" ||
        x_session_fail "screenshot failed"
}
wait_until 12.0 # the sentence scrolls from about 10:00:01
line_shot 1
sleep 0.4
line_shot 2
wait_until 16.0
audio_record_stop

if ! python3 "$here/announcement-check.py" "$SESSION_DIR/sink.raw" "$clips" ES IST "~" ZEHN UHR; then
    cp "$SESSION_DIR/sink.raw" /tmp/diglux-e2e-failed-sink.raw 2>/dev/null &&
        echo "recording kept as /tmp/diglux-e2e-failed-sink.raw (s16le mono 22050 Hz)" >&2
    x_session_fail "the hourly signal was not heard as it should be"
fi
changed=$(compare -metric AE "$SESSION_DIR/line1.png" "$SESSION_DIR/line2.png" null: 2>&1)
[ "${changed%% *}" -gt 50 ] 2>/dev/null ||
    x_session_fail "the text line did not scroll after the full hour ($changed pixels changed)"
lit=$(convert "$SESSION_DIR/line2.png" -colorspace Gray -threshold 50% -format "%[fx:mean]" info:)
awk -v m="$lit" 'BEGIN { exit !(m > 0.02) }' || x_session_fail "the text line is dark"
[ -s "$SESSION_DIR/err.log" ] && x_session_fail "unexpected output on stderr: $(cat "$SESSION_DIR/err.log")"
echo "PASS: PIEP, two pauses and the announcement heard; the sentence scrolls ($changed pixels moved)"
