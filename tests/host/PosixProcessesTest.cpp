// Processes: starting programs without a shell, refusing what cannot or must not be
// started, and the single-instance lock between processes with its private fallback folder.
#include "host/linux/PosixProcesses.h"
#include "host/linux/LinuxSystemInfo.h"
#include "tests/host/HostTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace diglux {
namespace {

namespace fs = std::filesystem;

TEST(PosixProcesses, ArgumentsReachTheProgramUnchangedWithoutAShell) {
    test::TempFolder folder;
    const fs::path out = folder.Path() / "args";
    PosixProcesses processes;
    // "$HOME" and ";" would be expanded or split by a shell.
    ASSERT_TRUE(
        processes.Start("/bin/sh", {"-c", "printf '%s|' \"$@\" > \"$0.new\"; mv \"$0.new\" \"$0\"",
                                    out.string(), "a b", "$HOME", ";"}));
    test::PumpUntil([&out] { return fs::exists(out); });
    EXPECT_EQ(test::ReadText(out), "a b|$HOME|;|");
}

TEST(PosixProcesses, WhatCannotOrMustNotStartIsRefused) {
    PosixProcesses processes;
    EXPECT_FALSE(processes.Start("/nonexistent/diglux-helper", {}));
    EXPECT_FALSE(processes.Start("diglux-no-such-program-in-path", {}));
    EXPECT_FALSE(processes.Start("", {}));
}

// Asks in a child process whether another instance runs: 1 for yes, 0 for no.
int ChildSeesAnotherInstance() {
    const pid_t pid = fork();
    if (pid == 0) {
        LinuxSystemInfo child;
        _exit(child.OtherInstanceRunning() ? 1 : 0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(LinuxSystemInfo, TheLockHoldsWhileItsProcessRuns) {
    test::TempFolder runtime;
    test::ScopedEnv env("XDG_RUNTIME_DIR", runtime.Path().c_str());
    ASSERT_EQ(ChildSeesAnotherInstance(), 0);
    LinuxSystemInfo first;
    EXPECT_FALSE(first.OtherInstanceRunning()) << "the child's lock ended with it";
    EXPECT_FALSE(first.OtherInstanceRunning()) << "asking again must not refuse ourselves";
    EXPECT_TRUE(fs::exists(runtime.Path() / "diglux.lock"));
    EXPECT_EQ(ChildSeesAnotherInstance(), 1);
}

TEST(LinuxSystemInfo, WithoutAnAbsoluteRuntimeDirTheLockLivesInAPrivateTmpFolder) {
    for (const char* runtime : {static_cast<const char*>(nullptr), "relative"}) {
        test::ScopedEnv env("XDG_RUNTIME_DIR", runtime);
        const std::string folder = InstanceLock::LockDirectory();
        EXPECT_EQ(folder, "/tmp/diglux-" + std::to_string(getuid()));
        struct stat info {};
        ASSERT_EQ(lstat(folder.c_str(), &info), 0);
        EXPECT_TRUE(S_ISDIR(info.st_mode));
        EXPECT_EQ(info.st_mode & 0777, 0700u);
        EXPECT_EQ(info.st_uid, getuid());
    }
}

TEST(LinuxSystemInfo, AnUnusableLockFolderDoesNotRefuseToStart) {
    test::TempFolder runtime;
    test::ScopedEnv env("XDG_RUNTIME_DIR", (runtime.Path() / "missing").c_str());
    LinuxSystemInfo info;
    EXPECT_FALSE(info.OtherInstanceRunning());
}

} // namespace
} // namespace diglux
