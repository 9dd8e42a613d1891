#include "SdlPulseSupport.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace diglux::test {

bool PulseTestServer() {
    return std::getenv("DIGLUX_PULSE_TEST") != nullptr;
}

std::string Shell(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            out += buffer;
        }
        ::pclose(pipe);
    }
    return out;
}

SinkRecorder::SinkRecorder() : path_("/tmp/diglux-sink-" + std::to_string(::getpid()) + ".raw") {
    Shell("pactl set-sink-mute nullsink 0; pactl set-sink-volume nullsink 100%");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    const char* argv[] = {
        "parec",        "--device=nullsink.monitor", "--raw", "--format=s16le", "--rate=22050",
        "--channels=1", "--latency-msec=20",         nullptr};
    if (posix_spawnp(&pid_, "parec", &actions, nullptr, const_cast<char**>(argv), environ) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // until the stream runs
}

SinkRecorder::~SinkRecorder() {
    Stop();
    std::remove(path_.c_str());
}

std::vector<std::int16_t> SinkRecorder::Stop() {
    if (pid_ > 0) {
        ::kill(pid_, SIGINT);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    std::ifstream in(path_, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                               static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return samples;
}

Heard LoudPart(const std::vector<std::int16_t>& samples, int threshold) {
    Heard heard;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (std::abs(samples[i]) > threshold) {
            const long ms = static_cast<long>(i * 1000 / 22050);
            if (heard.firstMs < 0) {
                heard.firstMs = ms;
            }
            heard.lastMs = ms;
        }
    }
    return heard;
}

} // namespace diglux::test
