#include "host/linux/PosixFileSystem.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace diglux {
namespace {

// A regular file of this user: the clock touches nothing of anyone else's, even in a shared
// temporary folder.
bool OwnRegularFile(const struct stat& info) {
    return S_ISREG(info.st_mode) && info.st_uid == geteuid();
}

// Opens a regular file of this user without following a link and without blocking on a FIFO
// or device; -1 for anything else.
int OpenRegular(const std::string& path, int flags, mode_t mode = 0600) {
    const int fd = open(path.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, mode);
    if (fd < 0) {
        return -1;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !OwnRegularFile(info)) {
        close(fd);
        return -1;
    }
    return fd;
}

bool WriteAll(int fd, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = write(fd, bytes, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool WriteAndClose(int fd, std::span<const std::uint8_t> bytes) {
    const bool written = WriteAll(fd, bytes.data(), bytes.size());
    return close(fd) == 0 && written;
}

std::string Reason(const char* step) {
    return std::string(step) + ": " + std::strerror(errno);
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the rename itself durable.
void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

int OpenTemporary(const std::string& path, const std::string& tempPath, std::string& usedPath) {
    if (!tempPath.empty()) {
        usedPath = tempPath;
        return open(tempPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    }
    std::string pattern = path + ".XXXXXX";
    const int fd = mkostemp(pattern.data(), O_CLOEXEC);
    usedPath = pattern;
    return fd;
}

} // namespace

long PosixFileSystem::FileLength(const std::string& path) const {
    const int fd = OpenRegular(path, O_RDONLY);
    if (fd < 0) {
        return -1;
    }
    struct stat info {};
    const bool known = fstat(fd, &info) == 0;
    close(fd);
    return known ? static_cast<long>(info.st_size) : -1;
}

bool PosixFileSystem::ReadFile(const std::string& path, std::string& bytes) const {
    bytes.clear();
    const int fd = OpenRegular(path, O_RDONLY);
    if (fd < 0) {
        return false;
    }
    std::string content;
    char buffer[65536];
    ssize_t got = 0;
    while ((got = read(fd, buffer, sizeof buffer)) != 0) {
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            close(fd);
            return false;
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    bytes = std::move(content);
    return true;
}

bool PosixFileSystem::WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    const int fd = OpenRegular(path, O_WRONLY | O_CREAT);
    return fd >= 0 && WriteAndClose(fd, bytes);
}

bool PosixFileSystem::ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    const int fd = OpenRegular(path, O_WRONLY | O_CREAT);
    if (fd < 0) {
        return false;
    }
    if (ftruncate(fd, 0) != 0) {
        close(fd);
        return false;
    }
    return WriteAndClose(fd, bytes);
}

bool PosixFileSystem::RemoveFile(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && OwnRegularFile(info) && unlink(path.c_str()) == 0;
}

bool PosixFileSystem::CreateFolder(const std::string& path, unsigned mode) {
    return mkdir(path.c_str(), static_cast<mode_t>(mode)) == 0;
}

bool PosixFileSystem::IsFolder(const std::string& path) const {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string PosixFileSystem::UserTempFolder() const {
    return "/tmp/diglux-" + std::to_string(getuid());
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         const std::string& tempPath, std::string& error) {
    std::string temporary;
    const int fd = OpenTemporary(path, tempPath, temporary);
    if (fd < 0) {
        error = Reason("cannot create a temporary file");
        return false;
    }
    bool ok = WriteAll(fd, bytes.data(), bytes.size());
    if (!ok) {
        error = Reason("cannot write");
    } else if (fsync(fd) != 0) {
        error = Reason("cannot flush");
        ok = false;
    }
    if (close(fd) != 0 && ok) {
        error = Reason("cannot close");
        ok = false;
    }
    if (ok && rename(temporary.c_str(), path.c_str()) != 0) {
        error = Reason("cannot rename");
        ok = false;
    }
    if (!ok) {
        unlink(temporary.c_str());
        return false;
    }
    SyncFolder(FolderOf(path));
    return true;
}

} // namespace diglux
