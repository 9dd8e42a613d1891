// Files on Linux: opened with O_NOFOLLOW and used only when they are regular files, so a
// symbolic link or a device planted under a temporary file's name is never written through
// or read from. Also the atomic replacement of a whole file that the settings store uses.
#pragma once

#include "host/FileSystem.h"

#include <string>
#include <string_view>

namespace diglux {

class PosixFileSystem final : public FileSystem {
  public:
    long FileLength(const std::string& path) const override;
    bool ReadFile(const std::string& path, std::string& bytes) const override;
    bool WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) override;
    bool ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes) override;
    bool RemoveFile(const std::string& path) override;
    bool CreateFolder(const std::string& path, unsigned mode) override;
    bool IsFolder(const std::string& path) const override;
    // "/tmp/diglux-<uid>".
    std::string UserTempFolder() const override;
};

// Replaces a file as a whole: the bytes go to a temporary file in the same folder (tempPath,
// or a fresh name when it is empty), which is flushed to the disk and renamed over the file.
// A reader, or a crash at any moment, finds the old or the new file, never a mix. The new
// file has mode 0600. False with a one-line reason on failure; the temporary file is removed.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         const std::string& tempPath, std::string& error);

} // namespace diglux
