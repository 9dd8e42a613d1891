// Support for the host tests: temporary folders and environment variables that are put back
// after a test, whole files, shell commands, and an X display with its event loop.
#pragma once

#include "host/linux/FltkEventPump.h"
#include "host/linux/X11Display.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <thread>

namespace diglux::test {

// A fresh folder under base, removed with everything in it at the end.
class TempFolder {
  public:
    explicit TempFolder(std::string base = "/tmp") {
        base += "/diglux-test-XXXXXX";
        path_ = mkdtemp(base.data()) != nullptr ? base : "";
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// Sets an environment variable (removes it for nullptr) and restores it at the end.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        value != nullptr ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { old_ ? setenv(name_.c_str(), old_->c_str(), 1) : unsetenv(name_.c_str()); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    std::string name_;
    std::optional<std::string> old_;
};

inline std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Writes the file, creating its folder first.
inline void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// Runs a shell command and returns what it printed on stdout.
inline std::string RunCommand(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        for (std::size_t n = 0; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            output.append(buffer, n);
        }
        pclose(pipe);
    }
    return output;
}

// Runs the event loop until condition holds or timeoutMs have passed; returns condition().
inline bool PumpUntil(const std::function<bool()>& condition, int timeoutMs = 3000) {
    FltkEventPump pump;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        pump.DoEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

inline void PumpFor(int milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

} // namespace diglux::test

// Skips a test that needs an X display when none can be opened.
#define DIGLUX_REQUIRE_X_DISPLAY()                                                                 \
    do {                                                                                           \
        if (std::string error; !::diglux::OpenX11Display(error)) {                                 \
            GTEST_SKIP() << "needs an X display (DISPLAY)";                                        \
        }                                                                                          \
    } while (false)

// Skips a test that needs the private PulseAudio server with its null sink, which
// tests/e2e/test-sound-pulse.sh starts before running these tests with DIGLUX_PULSE_TEST set.
#define DIGLUX_REQUIRE_PULSE_SERVER()                                                              \
    do {                                                                                           \
        if (std::getenv("DIGLUX_PULSE_TEST") == nullptr) {                                         \
            GTEST_SKIP() << "runs in tests/e2e/test-sound-pulse.sh (private PulseAudio)";          \
        }                                                                                          \
    } while (false)
