// The fakes of what lies around the clock beyond its window: the registry, files, other
// programs and the facts about the system; and what every fake shares, the one call log.
#pragma once

#include "host/FileSystem.h"
#include "host/Processes.h"
#include "host/RegistryBackend.h"
#include "host/SystemInfo.h"
#include "store/RegFileFormat.h"
#include "store/RegistryTree.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace diglux::test {

using CallLog = std::vector<std::string>;

inline std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// The value a map holds for a key, or nothing.
template <typename Map, typename Key> auto Lookup(const Map& map, const Key& key) {
    const auto it = map.find(key);
    return it == map.end() ? std::nullopt : std::optional(it->second);
}

// What every fake that reports its calls shares: the one log of the host.
class Logged {
  public:
    explicit Logged(CallLog& log) : log_(log) {}

  protected:
    void Log(std::string entry) const { log_.push_back(std::move(entry)); }

  private:
    CallLog& log_;
};

// A registry in memory over the store's own tree (roots always exist, keys and names without
// regard to case, no deleting a key that has sub-keys); changes are logged by name, and a key
// used after it was closed throws, so that the test fails.
class FakeRegistry final : public RegistryBackend, Logged {
  public:
    using Logged::Logged;
    std::optional<RegistryKey> OpenKey(RegistryRoot root, const std::string& path, bool) override {
        const std::string full = RegFileKeyPath(root, path);
        if (!IsValidKeyPath(path) || (!path.empty() && !tree.HasKey(full))) {
            return std::nullopt;
        }
        open_[next_] = full;
        return next_++;
    }
    std::optional<RegistryKey> CreateKey(RegistryRoot root, const std::string& path) override {
        if (!IsValidKeyPath(path)) {
            return std::nullopt;
        }
        tree.AddKey(RegFileKeyPath(root, path));
        return OpenKey(root, path, true);
    }
    std::optional<RegistryValue> QueryValue(RegistryKey key, const std::string& name) override {
        const RegistryValue* value = tree.Find(open_.at(key), name);
        return value != nullptr ? std::optional(*value) : std::nullopt;
    }
    bool SetValue(RegistryKey key, const std::string& name, const RegistryValue& value) override {
        Log("registry.SetValue " + name);
        tree.Set(open_.at(key), name, value);
        return true;
    }
    bool DeleteValue(RegistryKey key, const std::string& name) override {
        Log("registry.DeleteValue " + name);
        return tree.Remove(open_.at(key), name);
    }
    bool DeleteKey(RegistryRoot root, const std::string& path) override {
        Log("registry.DeleteKey " + path);
        return !path.empty() && tree.RemoveKey(RegFileKeyPath(root, path));
    }
    void CloseKey(RegistryKey key) override { open_.erase(key); }
    // Every key handed out has been closed again.
    bool AllClosed() const { return open_.empty(); }

    RegistryTree tree;

  private:
    std::map<RegistryKey, std::string> open_;
    RegistryKey next_ = 1;
};

class FakeProcesses final : public Processes, Logged {
  public:
    using Logged::Logged;
    bool Start(const std::string& program, const std::vector<std::string>& args) override {
        std::string entry = "Start " + program;
        for (const std::string& arg : args) {
            entry += " " + arg;
        }
        return Call(entry);
    }
    bool OpenLink(const std::string& link) override { return Call("OpenLink " + link); }
    bool LogOff() override { return Call("LogOff"); }

  private:
    bool Call(const std::string& call) const {
        Log("processes." + call);
        return true;
    }
};

class FakeSystem final : public SystemInfo {
  public:
    std::string ExecutablePath() const override { return "/opt/diglux/diglux.bin"; }
    std::optional<std::string> Environment(const std::string& name) const override {
        return Lookup(environment, name);
    }
    OsVersion OperatingSystemVersion() const override { return os; }
    ProgramVersion Version() const override { return version; }
    bool OtherInstanceRunning() override { return otherInstance; }
    bool UsesManifests() const override { return usesManifests; }

    std::map<std::string, std::string> environment;
    OsVersion os{};
    ProgramVersion version{1, 0, 0};
    bool otherInstance = false;
    bool usesManifests = false;
};

// Files and folders in memory; writes and removals are logged.
class FakeFileSystem final : public FileSystem, Logged {
  public:
    using Logged::Logged;
    long FileLength(const std::string& path) const override {
        return files.contains(path) ? static_cast<long>(files.at(path).size()) : -1;
    }
    bool ReadFile(const std::string& path, std::string& bytes) const override {
        bytes = Lookup(files, path).value_or("");
        return files.contains(path);
    }
    bool WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) override {
        Log("files.WriteFile " + path);
        if (failWrites) {
            return false;
        }
        std::string& content = files[path];
        content.resize(std::max(content.size(), bytes.size()));
        std::copy(bytes.begin(), bytes.end(), content.begin());
        return true;
    }
    bool ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes) override {
        Log("files.ReplaceFile " + path);
        return !failWrites && (files[path].assign(bytes.begin(), bytes.end()), true);
    }
    bool RemoveFile(const std::string& path) override {
        Log("files.RemoveFile " + path);
        return files.erase(path) > 0;
    }
    bool CreateFolder(const std::string& path, unsigned mode) override {
        char octal[8];
        std::snprintf(octal, sizeof octal, "%o", mode);
        Log("files.CreateFolder " + path + " " + octal);
        return folders.emplace(path, mode).second;
    }
    bool IsFolder(const std::string& path) const override { return folders.contains(path); }
    std::string UserTempFolder() const override { return "/tmp/diglux-1000"; }

    std::map<std::string, std::string> files; // path -> content
    std::map<std::string, unsigned> folders;  // path -> mode
    bool failWrites = false;
};

} // namespace diglux::test
