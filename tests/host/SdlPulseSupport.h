// Support for the host tests that run against a private PulseAudio server with a null sink
// (tests/e2e/test-sound-pulse.sh starts it and sets DIGLUX_PULSE_TEST): shell commands such
// as pactl, and a recorder of what the null sink plays.
#pragma once

#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

namespace diglux::test {

// True when the tests run against the private server; they skip otherwise.
bool PulseTestServer();

// Runs a shell command and returns what it printed on stdout.
std::string Shell(const std::string& command);

// Records the null sink's monitor (mono, 22050 Hz) with parec from construction to Stop;
// the sink is unmuted at full volume first.
class SinkRecorder {
  public:
    SinkRecorder();
    ~SinkRecorder();
    SinkRecorder(const SinkRecorder&) = delete;
    SinkRecorder& operator=(const SinkRecorder&) = delete;

    // Ends the recording and returns its samples.
    std::vector<std::int16_t> Stop();

  private:
    std::string path_;
    pid_t pid_ = -1;
};

// The first and last sample louder than the threshold, in milliseconds from the start of
// the recording; both -1 when nothing was heard.
struct Heard {
    long firstMs = -1;
    long lastMs = -1;
};
Heard LoudPart(const std::vector<std::int16_t>& samples, int threshold = 1000);

} // namespace diglux::test

#define DIGLUX_REQUIRE_PULSE_SERVER()                                                              \
    do {                                                                                           \
        if (!::diglux::test::PulseTestServer()) {                                                  \
            GTEST_SKIP() << "runs in tests/e2e/test-sound-pulse.sh (private PulseAudio)";          \
        }                                                                                          \
    } while (false)
