#!/usr/bin/env bash
# The hourly signal heard through a PulseAudio null sink: the real clock at 09:59:50 (clock
# time), with the announcement switched on by its key (Z), plays PIEP, two pauses and
# "Es ist ~ zehn Uhr." joined from its own clips at 10:00:00, and the sentence scrolls on
# the text line meanwhile.
here=$(dirname "$0")
. "$here/x-session.sh"
x_session_need_check "$2" python3
x_session_start
audio_server_start
audio_record_start "$SESSION_DIR/sink.raw"
x_session_clock "$1" "2024-03-01 09:59:50"
sleep 1
xdotool key --window "$window" z # the announcement on (the hourly signal is on by default)

x_session_wait_until 12.0 # the sentence scrolls from about 10:00:01
x_session_read_display
first=$line
sleep 0.4
x_session_read_display
x_session_wait_until 16.0
audio_record_stop

python3 "$here/announcement-check.py" "$SESSION_DIR/sink.raw" "$here/../../speech/clips" \
    ES IST "~" ZEHN UHR || x_session_fail "the hourly signal was not heard as it should be"
[ "$line" != "$first" ] && [[ "$line" == *[!\ ?]* ]] ||
    x_session_fail "the text line did not scroll after the full hour: \"$first\", then \"$line\""
x_session_quiet "the clock"
echo "PASS: PIEP, two pauses and the announcement heard; the sentence scrolls (\"$line\")"
