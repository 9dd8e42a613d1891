// What the Linux host tests share: temporary folders and environment variables that are put
// back after a test, whole files, shell commands, child processes, and the event loop run for a
// while.
#pragma once

#include "host/linux/FltkEventPump.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace diglux::host_test {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A fresh folder under base, removed with everything in it at the end.
struct TempFolder {
    explicit TempFolder(std::string base = "/tmp")
        : path(mkdtemp((base += "/diglux-test-XXXXXX").data()) != nullptr ? base : "") {}
    ~TempFolder() { fs::remove_all(path, ignored); }
    fs::path path;
    std::error_code ignored;
};

// Sets an environment variable (removes it for nullptr) and restores it at the end.
struct ScopedEnv {
    ScopedEnv(const char* name, const char* value)
        : had(std::getenv(name) != nullptr), name(name), old(had ? std::getenv(name) : "") {
        value != nullptr ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { had ? setenv(name.c_str(), old.c_str(), 1) : unsetenv(name.c_str()); }
    bool had;
    std::string name, old;
};

inline std::span<const std::uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

inline std::string ReadText(const fs::path& path) {
    return {std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {}};
}

// Writes the file, creating its folder first.
inline void WriteText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// Runs a shell command and returns what it printed on stdout.
inline std::string RunCommand(const std::string& command) {
    std::string output;
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    for (int c = 0; pipe && (c = std::fgetc(pipe.get())) != EOF;) {
        output += static_cast<char>(c);
    }
    return output;
}

// Whether what the command prints contains `part`.
inline bool Says(const std::string& command, const std::string& part) {
    return RunCommand(command).find(part) != std::string::npos;
}

// Runs body in a child process, which ends with body's result; returns the child's pid.
inline pid_t InChild(const std::function<int()>& body) {
    const pid_t pid = fork();
    return pid != 0 ? pid : (_exit(body()), 0);
}

// Waits for a child process: its exit status, or 128 + the signal that ended it.
inline int WaitFor(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Runs the event loop until condition holds or timeoutMs have passed; returns condition().
inline bool PumpUntil(const std::function<bool()>& condition, int timeoutMs = 3000) {
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition() && Clock::now() < end) {
        FltkEventPump().DoEvents();
        std::this_thread::sleep_for(5ms);
    }
    return condition();
}

inline void PumpFor(int milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

} // namespace diglux::host_test
