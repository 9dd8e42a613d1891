#include "host/linux/RegFileStore.h"

#include "host/linux/PosixFileSystem.h"
#include "store/AutostartEntry.h"
#include "store/RegFileFormat.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace diglux {
namespace {

constexpr const char* kRunKey =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

enum class FileRead { Done, Missing, NotAFile, Failed };

// Reads a file, following links (the settings may live in a linked dotfiles folder).
FileRead ReadWhole(const std::string& path, std::string& bytes) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT ? FileRead::Missing : FileRead::Failed;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return FileRead::NotAFile;
    }
    bytes.clear();
    // One allocation for the whole file: growing step by step copies a large file many times.
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            close(fd);
            return got == 0 ? FileRead::Done : FileRead::Failed;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

// Creates a folder and every missing folder above it.
bool MakeFolders(const std::string& path, mode_t mode) {
    for (std::size_t at = path.find('/', 1); at != std::string::npos; at = path.find('/', at + 1)) {
        mkdir(path.substr(0, at).c_str(), mode);
    }
    struct stat info {};
    return (mkdir(path.c_str(), mode) == 0 || errno == EEXIST) && stat(path.c_str(), &info) == 0 &&
           S_ISDIR(info.st_mode);
}

// The file a link points to, so that writing replaces the target and keeps the link.
std::string WriteTarget(const std::string& path) {
    struct stat info {};
    char resolved[PATH_MAX];
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) &&
        realpath(path.c_str(), resolved) != nullptr) {
        return resolved;
    }
    return path;
}

// An exclusive flock on a folder, held while the object lives.
class FolderLock {
  public:
    explicit FolderLock(const std::string& folder)
        : fd_(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        while (fd_ >= 0 && flock(fd_, LOCK_EX) != 0) {
            if (errno != EINTR) {
                close(fd_);
                fd_ = -1;
            }
        }
    }
    ~FolderLock() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool Held() const { return fd_ >= 0; }

  private:
    int fd_;
};

std::string ErrnoText() {
    return std::strerror(errno);
}

} // namespace

RegFileStore::RegFileStore(std::string configHome, std::ostream& log)
    : folder_(configHome.empty() ? "" : configHome + "/diglux"),
      filePath_(configHome.empty() ? "" : folder_ + "/registry.reg"),
      autostartFolder_(configHome.empty() ? "" : configHome + "/autostart"), log_(log) {}

std::string RegFileStore::DefaultConfigHome() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') {
        return config;
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return std::string(home) + "/.config";
    }
    const passwd* user = getpwuid(getuid());
    if (user != nullptr && user->pw_dir != nullptr && user->pw_dir[0] == '/') {
        return std::string(user->pw_dir) + "/.config";
    }
    return {};
}

void RegFileStore::ReportOnce(const std::string& message) {
    if (!reported_) {
        reported_ = true;
        log_ << "diglux: " << message << std::endl;
    }
}

RegistryKey RegFileStore::Remember(OpenedKey key) {
    opened_.emplace(nextKey_, std::move(key));
    return nextKey_++;
}

const RegFileStore::OpenedKey* RegFileStore::Opened(RegistryKey key) const {
    const auto it = opened_.find(key);
    return it == opened_.end() ? nullptr : &it->second;
}

std::optional<RegistryTree> RegFileStore::Read(bool locked) {
    if (filePath_.empty()) {
        ReportOnce("no home folder is known; settings are neither read nor saved");
        return std::nullopt;
    }
    std::string bytes;
    switch (ReadWhole(filePath_, bytes)) {
    case FileRead::Missing:
        return RegistryTree();
    case FileRead::NotAFile:
        ReportOnce(filePath_ + " is not a file; settings are neither read nor saved");
        return std::nullopt;
    case FileRead::Failed:
        ReportOnce("cannot read " + filePath_ + ": " + ErrnoText() +
                   "; the clock runs on its defaults");
        return std::nullopt;
    case FileRead::Done:
        break;
    }
    RegFileError error;
    if (auto tree = ParseRegFile(bytes, error)) {
        return tree;
    }
    if (!locked) {
        // Another process may be replacing the file right now: decide under the lock.
        FolderLock lock(folder_);
        if (lock.Held()) {
            return Read(true);
        }
    }
    SetAside((error.line > 0 ? "line " + std::to_string(error.line) + ": " : "") + error.reason);
    return RegistryTree();
}

// Keeps an unreadable file under a name of its own (never over an older one), so that nothing
// the user wrote is lost, and lets the store start empty.
void RegFileStore::SetAside(const std::string& reason) {
    std::string bad = filePath_ + ".bad";
    struct stat info {};
    for (int n = 2; lstat(bad.c_str(), &info) == 0 && n < 1000; ++n) {
        bad = filePath_ + ".bad" + std::to_string(n);
    }
    if (rename(filePath_.c_str(), bad.c_str()) == 0) {
        log_ << "diglux: " << filePath_ << " cannot be read (" << reason << "); kept as " << bad
             << ", the clock starts with empty settings" << std::endl;
    } else {
        ReportOnce(filePath_ + " cannot be read (" + reason + ") nor set aside: " + ErrnoText());
    }
}

bool RegFileStore::Modify(const Change& change) {
    if (filePath_.empty()) {
        ReportOnce("no home folder is known; settings are neither read nor saved");
        return false;
    }
    if (!MakeFolders(folder_, 0700)) {
        ReportOnce("cannot create " + folder_ + ": " + ErrnoText() + "; settings are not saved");
        return false;
    }
    FolderLock lock(folder_);
    if (!lock.Held()) {
        ReportOnce("cannot lock " + folder_ + ": " + ErrnoText() + "; settings are not saved");
        return false;
    }
    std::optional<RegistryTree> tree = Read(true);
    if (!tree) {
        return false;
    }
    switch (change(*tree)) {
    case Outcome::Failed:
        return false;
    case Outcome::Unchanged:
        return true;
    case Outcome::Changed:
        break;
    }
    return Write(*tree);
}

bool RegFileStore::Write(const RegistryTree& tree) {
    const std::string target = WriteTarget(filePath_);
    std::string error;
    if (!WriteFileAtomically(target, PrintRegFile(tree), target + ".tmp", error)) {
        ReportOnce("cannot save settings to " + target + " (" + error + ")");
        return false;
    }
    return true;
}

std::optional<RegistryKey> RegFileStore::OpenKey(RegistryRoot root, const std::string& path,
                                                 bool /*writable*/) {
    if (!IsValidKeyPath(path)) {
        return std::nullopt;
    }
    const std::string full = RegFileKeyPath(root, path);
    const bool run = SameName(full, kRunKey);
    if (!run && !path.empty()) {
        const std::optional<RegistryTree> tree = Read(false);
        if (!tree || !tree->HasKey(full)) {
            return std::nullopt;
        }
    }
    return Remember({full, run});
}

std::optional<RegistryKey> RegFileStore::CreateKey(RegistryRoot root, const std::string& path) {
    if (!IsValidKeyPath(path)) {
        return std::nullopt;
    }
    const std::string full = RegFileKeyPath(root, path);
    const bool run = SameName(full, kRunKey);
    if (!run && !path.empty()) {
        const bool made = Modify([&](RegistryTree& tree) {
            return tree.AddKey(full) ? Outcome::Changed : Outcome::Unchanged;
        });
        if (!made) {
            return std::nullopt;
        }
    }
    return Remember({full, run});
}

std::optional<RegistryValue> RegFileStore::QueryValue(RegistryKey key, const std::string& name) {
    const OpenedKey* opened = Opened(key);
    if (opened == nullptr) {
        return std::nullopt;
    }
    if (opened->run) {
        return QueryRun(name);
    }
    const std::optional<RegistryTree> tree = Read(false);
    const RegistryValue* value = tree ? tree->Find(opened->path, name) : nullptr;
    return value != nullptr ? std::optional<RegistryValue>(*value) : std::nullopt;
}

bool RegFileStore::SetValue(RegistryKey key, const std::string& name, const RegistryValue& value) {
    const OpenedKey* opened = Opened(key);
    if (opened == nullptr || !IsValidValueName(name)) {
        return false;
    }
    if (opened->run) {
        return SetRun(name, value);
    }
    const std::string path = opened->path;
    return Modify([&](RegistryTree& tree) {
        // A key deleted since it was opened takes no values; a root always does.
        if (path.find('\\') != std::string::npos && !tree.HasKey(path)) {
            return Outcome::Failed;
        }
        return tree.Set(path, name, value) ? Outcome::Changed : Outcome::Unchanged;
    });
}

bool RegFileStore::DeleteValue(RegistryKey key, const std::string& name) {
    const OpenedKey* opened = Opened(key);
    if (opened == nullptr) {
        return false;
    }
    if (opened->run) {
        return DeleteRun(name);
    }
    const std::string path = opened->path;
    return Modify([&](RegistryTree& tree) {
        return tree.Remove(path, name) ? Outcome::Changed : Outcome::Failed;
    });
}

bool RegFileStore::DeleteKey(RegistryRoot root, const std::string& path) {
    if (path.empty() || !IsValidKeyPath(path)) {
        return false;
    }
    const std::string full = RegFileKeyPath(root, path);
    if (SameName(full, kRunKey)) {
        return false;
    }
    return Modify([&](RegistryTree& tree) {
        return tree.RemoveKey(full) ? Outcome::Changed : Outcome::Failed;
    });
}

void RegFileStore::CloseKey(RegistryKey key) {
    opened_.erase(key);
}

std::optional<RegistryValue> RegFileStore::QueryRun(const std::string& name) {
    const std::string file = AutostartFileName(name);
    std::string text;
    if (file.empty() || autostartFolder_.empty() ||
        ReadWhole(autostartFolder_ + "/" + file, text) != FileRead::Done) {
        return std::nullopt;
    }
    const std::optional<std::string> command = AutostartCommand(text);
    if (!command) {
        return std::nullopt;
    }
    RegistryValue value{RegistryType::String, {command->begin(), command->end()}};
    value.data.push_back(0);
    return value;
}

bool RegFileStore::SetRun(const std::string& name, const RegistryValue& value) {
    const std::string file = AutostartFileName(name);
    const bool text =
        value.type == RegistryType::String || value.type == RegistryType::ExpandString;
    if (file.empty() || !text || autostartFolder_.empty()) {
        return false;
    }
    std::string command(value.data.begin(), value.data.end());
    command = command.substr(0, command.find('\0'));
    std::string error;
    if (!MakeFolders(autostartFolder_, 0700)) {
        error = ErrnoText();
    } else if (WriteFileAtomically(autostartFolder_ + "/" + file, AutostartEntryText(name, command),
                                   "", error)) {
        return true;
    }
    ReportOnce("cannot write the autostart entry " + autostartFolder_ + "/" + file + " (" + error +
               ")");
    return false;
}

bool RegFileStore::DeleteRun(const std::string& name) {
    const std::string file = AutostartFileName(name);
    return !file.empty() && !autostartFolder_.empty() &&
           unlink((autostartFolder_ + "/" + file).c_str()) == 0;
}

} // namespace diglux
