// Starting programs without a shell, and refusing what cannot or must not be started.
#include "host/linux/PosixProcesses.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace diglux {
namespace {

namespace fs = std::filesystem;

bool WaitForFile(const fs::path& path) {
    for (int i = 0; i < 200 && !fs::exists(path); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return fs::exists(path);
}

TEST(PosixProcesses, ArgumentsReachTheProgramUnchangedWithoutAShell) {
    const fs::path folder =
        fs::temp_directory_path() / ("diglux-spawn-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const fs::path out = folder / "args";
    PosixProcesses processes;
    // "$HOME" and ";" would be expanded or split by a shell.
    ASSERT_TRUE(processes.Start(
        "/bin/sh", {"-c", "printf '%s|' \"$@\" > \"$0\"", out.string(), "a b", "$HOME", ";"}));
    ASSERT_TRUE(WaitForFile(out));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::ifstream in(out);
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "a b|$HOME|;|");
    fs::remove_all(folder);
}

TEST(PosixProcesses, AProgramThatCannotStartIsReported) {
    PosixProcesses processes;
    EXPECT_FALSE(processes.Start("/nonexistent/diglux-helper", {}));
    EXPECT_FALSE(processes.Start("diglux-no-such-program-in-path", {}));
    EXPECT_FALSE(processes.Start("", {}));
}

TEST(PosixProcesses, LinksThatLookLikeOptionsAreRefused) {
    PosixProcesses processes;
    EXPECT_FALSE(processes.OpenLink(""));
    EXPECT_FALSE(processes.OpenLink("--manual"));
}

} // namespace
} // namespace diglux
