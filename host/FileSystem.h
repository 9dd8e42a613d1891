// The few file operations the clock needs: its temporary sound files, the manifest beside
// the executable, and folders. Paths are plain strings. The file operations touch only regular
// files of this user and never follow a symbolic link, so a link or a file of someone else
// planted in a shared temporary folder is never read, written through or removed.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace diglux {

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // The length in bytes of a regular file that can be opened for reading; -1 otherwise.
    virtual long FileLength(const std::string& path) const = 0;
    // Reads a whole regular file; false (and no bytes) when it cannot be read.
    virtual bool ReadFile(const std::string& path, std::string& bytes) const = 0;
    // Writes bytes from the file's first byte, creating it if missing; an existing longer file
    // is not shortened. False on any failure.
    virtual bool WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) = 0;
    // Writes a file anew: afterwards it holds exactly these bytes. False on any failure.
    virtual bool ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes) = 0;
    // Removes a file; false when it did not exist, is not this user's regular file, or could
    // not be removed.
    virtual bool RemoveFile(const std::string& path) = 0;
    // Creates one folder with the given permission bits; false when it failed (for example
    // because it exists).
    virtual bool CreateFolder(const std::string& path, unsigned mode) = 0;
    // True when the path is a folder.
    virtual bool IsFolder(const std::string& path) const = 0;
    // A folder for this user's temporary files when the environment names none
    // ("/tmp/diglux-<uid>" on Linux), without a trailing separator; not created here.
    virtual std::string UserTempFolder() const = 0;
};

} // namespace diglux
