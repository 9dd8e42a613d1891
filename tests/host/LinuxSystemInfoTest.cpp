// The single-instance lock between processes, its private fallback folder, and the facts
// the start-up checks read.
#include "host/linux/LinuxSystemInfo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace diglux {
namespace {

namespace fs = std::filesystem;

// Points XDG_RUNTIME_DIR at a fresh folder for one test and restores it afterwards.
class ScopedRuntimeDir {
  public:
    ScopedRuntimeDir() {
        char pattern[] = "/tmp/diglux-lock-test-XXXXXX";
        path_ = mkdtemp(pattern);
        if (const char* old = std::getenv("XDG_RUNTIME_DIR")) {
            old_ = old;
            hadOld_ = true;
        }
        setenv("XDG_RUNTIME_DIR", path_.c_str(), 1);
    }
    ~ScopedRuntimeDir() {
        if (hadOld_) {
            setenv("XDG_RUNTIME_DIR", old_.c_str(), 1);
        } else {
            unsetenv("XDG_RUNTIME_DIR");
        }
        fs::remove_all(path_);
    }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    std::string old_;
    bool hadOld_ = false;
};

// Runs body in a child process and returns its exit code.
template <typename Body> int InChild(Body body) {
    const pid_t pid = fork();
    if (pid == 0) {
        _exit(body());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(LinuxSystemInfo, ASecondProcessSeesTheRunningInstance) {
    ScopedRuntimeDir runtime;
    LinuxSystemInfo first;
    EXPECT_FALSE(first.OtherInstanceRunning());
    EXPECT_FALSE(first.OtherInstanceRunning()) << "asking again must not refuse ourselves";
    EXPECT_TRUE(fs::exists(runtime.Path() + "/diglux.lock"));

    const int childSaw = InChild([] {
        LinuxSystemInfo second;
        return second.OtherInstanceRunning() ? 1 : 0;
    });
    EXPECT_EQ(childSaw, 1);
}

TEST(LinuxSystemInfo, TheLockEndsWithTheProcessThatHeldIt) {
    ScopedRuntimeDir runtime;
    const int holderExit = InChild([] {
        LinuxSystemInfo holder;
        return holder.OtherInstanceRunning() ? 1 : 0;
    });
    ASSERT_EQ(holderExit, 0);
    LinuxSystemInfo next;
    EXPECT_FALSE(next.OtherInstanceRunning());
}

TEST(LinuxSystemInfo, WithoutRuntimeDirTheLockLivesInAPrivateTmpFolder) {
    ScopedRuntimeDir runtime; // restores the variable afterwards
    unsetenv("XDG_RUNTIME_DIR");
    const std::string folder = InstanceLock::LockDirectory();
    EXPECT_EQ(folder, "/tmp/diglux-" + std::to_string(getuid()));
    struct stat info {};
    ASSERT_EQ(lstat(folder.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(info.st_uid, getuid());
}

TEST(LinuxSystemInfo, AnUnusableLockFolderDoesNotRefuseToStart) {
    ScopedRuntimeDir runtime;
    setenv("XDG_RUNTIME_DIR", (runtime.Path() + "/missing").c_str(), 1);
    LinuxSystemInfo info;
    EXPECT_FALSE(info.OtherInstanceRunning());
}

} // namespace
} // namespace diglux
