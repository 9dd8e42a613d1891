#!/usr/bin/env bash
# The sound device and the mixer against a real PulseAudio server with a null sink: the host
# tests that need one (SdlAndAlsaOnPulse) run with DIGLUX_PULSE_TEST set.
. "$(dirname "$0")/x-session.sh"
[ -x "$2/diglux_host_tests" ] || x_session_fail "$2/diglux_host_tests is missing (build target diglux_host_tests)"
audio_server_start
DIGLUX_PULSE_TEST=1 "$2/diglux_host_tests" --gtest_filter='SdlAndAlsaOnPulse.*' || x_session_fail "the sound host tests failed against PulseAudio"
echo "PASS: playback and mixer against PulseAudio"
