// The registry on Linux: a per-user file in the registry's own text format,
// <config>/diglux/registry.reg (config: $XDG_CONFIG_HOME, else ~/.config). Every operation reads
// the file anew, and every change rewrites it atomically under an exclusive lock on its folder,
// so processes never lose each other's writes and a crash leaves the old or the new file.
// A file that cannot be read as a registry file is kept as registry.reg.bad and the store
// starts empty. When the store cannot be used at all (no folder, a folder in the file's place,
// no permission) the clock runs on its defaults; each of these is said once on stderr.
//
// The Run key HKCU\Software\Microsoft\Windows\CurrentVersion\Run is served from the desktop's
// autostart folder <config>/autostart: its value "Diglux" is the file diglux.desktop there.
#pragma once

#include "host/RegistryBackend.h"
#include "store/RegistryTree.h"

#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <string>

namespace diglux {

class RegFileStore final : public RegistryBackend {
  public:
    // configHome is the folder that holds diglux/ and autostart/.
    explicit RegFileStore(std::string configHome, std::ostream& log = std::cerr);

    // $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config (from the password
    // database when HOME is unset).
    static std::string DefaultConfigHome();
    const std::string& FilePath() const { return filePath_; }

    std::optional<RegistryKey> OpenKey(RegistryRoot root, const std::string& path,
                                       bool writable) override;
    std::optional<RegistryKey> CreateKey(RegistryRoot root, const std::string& path) override;
    std::optional<RegistryValue> QueryValue(RegistryKey key, const std::string& name) override;
    bool SetValue(RegistryKey key, const std::string& name, const RegistryValue& value) override;
    bool DeleteValue(RegistryKey key, const std::string& name) override;
    bool DeleteKey(RegistryRoot root, const std::string& path) override;
    void CloseKey(RegistryKey key) override;

  private:
    struct OpenedKey {
        std::string path; // full path, "HKEY_CURRENT_USER\..."
        bool run;         // the Run key, served from the autostart folder
    };
    enum class Outcome { Failed, Unchanged, Changed };
    using Change = std::function<Outcome(RegistryTree&)>;

    RegistryKey Remember(OpenedKey key);
    const OpenedKey* Opened(RegistryKey key) const;
    // The stored tree; empty when the store cannot be read at all.
    std::optional<RegistryTree> Read(bool locked);
    // Reads, changes and (when something changed) writes the tree under the lock.
    bool Modify(const Change& change);
    bool Write(const RegistryTree& tree);
    void SetAside(const std::string& reason);
    void ReportOnce(const std::string& message);

    std::optional<RegistryValue> QueryRun(const std::string& name);
    bool SetRun(const std::string& name, const RegistryValue& value);
    bool DeleteRun(const std::string& name);

    std::string folder_;
    std::string filePath_;
    std::string autostartFolder_;
    std::ostream& log_;
    bool reported_ = false;
    std::map<RegistryKey, OpenedKey> opened_;
    RegistryKey nextKey_ = 1;
};

} // namespace diglux
