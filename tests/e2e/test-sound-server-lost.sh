#!/usr/bin/env bash
# The sound device and the mixer against a real PulseAudio server with a null sink first (the
# host tests that need one, run with DIGLUX_PULSE_TEST set). Then the server killed while the
# clock speaks the time (Space): the clock runs on and answers keys, and once a new server is
# there the next announcement is heard on its sink.
. "$(dirname "$0")/x-session.sh"
x_session_need_check "$2" sox
x_session_start
audio_server_start
server=${SESSION_PIDS[-1]}
DIGLUX_PULSE_TEST=1 "$2/diglux_host_tests" --gtest_filter='AlsaOnPulse.*' || x_session_fail "the sound host tests failed against PulseAudio"
x_session_clock "$1" && sleep 1 && xdotool key --window "$window" space && sleep 0.5
pactl list short sink-inputs | grep -q . || x_session_fail "no announcement was playing"
kill -KILL "$server" && wait "$server" 2>/dev/null
sleep 1 && xdotool key --window "$window" F2 && sleep 0.5
x_session_read_display && [ "$line" = "BLINK: EIN   " ] || x_session_fail "F2 after the loss reads \"$line\""

audio_server_start
audio_record_start "$SESSION_DIR/sink.raw"
xdotool key --window "$window" space && sleep 3
audio_record_stop
rms=$(sox -t raw -r 22050 -e signed -b 16 -c 1 "$SESSION_DIR/sink.raw" -n stat 2>&1 | sed -n 's/^RMS *amplitude: *//p')
awk -v r="${rms:-0}" 'BEGIN { exit !(r > 0.02) }' || x_session_fail "the next announcement was not heard (RMS $rms)"
xdotool key --window "$window" Escape && x_session_ended_quietly "Esc"
echo "PASS: playback and mixer against PulseAudio; the clock ran on without its sound server and spoke again on the new one (RMS $rms)"
