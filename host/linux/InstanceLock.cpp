#include "host/linux/InstanceLock.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace diglux {

namespace {

// A private folder must be ours, a real folder, and closed to everyone else.
bool IsPrivateFolder(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid() &&
           (info.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

} // namespace

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

std::string InstanceLock::LockDirectory() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/') {
        return runtime;
    }
    const std::string fallback = "/tmp/diglux-" + std::to_string(getuid());
    if (mkdir(fallback.c_str(), 0700) != 0 && errno != EEXIST) {
        return {};
    }
    // Someone else's folder (or a link) under that name is never used.
    return IsPrivateFolder(fallback) ? fallback : std::string();
}

InstanceLock::Outcome InstanceLock::Acquire() {
    if (fd_ >= 0) {
        return Outcome::Acquired;
    }
    const std::string folder = LockDirectory();
    if (folder.empty()) {
        return Outcome::Unavailable;
    }
    const std::string path = folder + "/diglux.lock";
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        return Outcome::Unavailable;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        close(fd);
        return busy ? Outcome::HeldElsewhere : Outcome::Unavailable;
    }
    fd_ = fd;
    return Outcome::Acquired;
}

} // namespace diglux
