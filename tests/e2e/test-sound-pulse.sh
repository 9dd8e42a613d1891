#!/usr/bin/env bash
# The sound device and the mixer against a real PulseAudio server with a null sink: the host
# tests that need one (SdlAndAlsaOnPulse) run with DIGLUX_PULSE_TEST set.
#
# usage: test-sound-pulse.sh DIGLUX_BINARY TESTS_FOLDER
set -u
host_tests="$2/diglux_host_tests"
. "$(dirname "$0")/x-session.sh"
. "$(dirname "$0")/audio-server.sh"
[ -x "$host_tests" ] || x_session_fail "$host_tests is missing (build target diglux_host_tests)"
audio_server_start
DIGLUX_PULSE_TEST=1 "$host_tests" --gtest_filter='SdlAndAlsaOnPulse.*' ||
    x_session_fail "the sound host tests failed against PulseAudio"
echo "PASS: playback and mixer against PulseAudio"
