// What the store tests share: the program's settings key, the key levels every registry file
// holding it starts with, reading a file that must be readable, and a registry backend over the
// store's own RegistryTree in memory. The backend keeps the registry's rules (roots always
// exist, keys and names without regard to case, no deleting a key that has sub-keys), so that
// the path layer is tested without files; a key used after it was closed throws, and AllClosed
// tells whether every key handed out was closed again.
#pragma once

#include "host/RegistryBackend.h"
#include "store/RegFileFormat.h"
#include "store/RegistryTree.h"

#include <gtest/gtest.h>

#include <map>

namespace diglux::test {

inline const std::string kKey = "HKEY_CURRENT_USER\\Software\\Tandemark\\Diglux";
// Each key level has its own section.
inline const std::string kLevels = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\n"
                                   "[HKEY_CURRENT_USER\\Software\\Tandemark]\n\n[" +
                                   kKey + "]\n";

// The tree a registry file describes; a refusal fails the test with its line and reason.
inline RegistryTree Parse(const std::string& text) {
    RegFileError error;
    std::optional<RegistryTree> tree = ParseRegFile(text, error);
    EXPECT_TRUE(tree.has_value()) << "line " << error.line << ": " << error.reason;
    return tree.value_or(RegistryTree());
}

class TreeRegistry final : public RegistryBackend {
  public:
    std::optional<RegistryKey> OpenKey(RegistryRoot root, const std::string& path,
                                       bool /*writable*/) override {
        const bool exists = path.empty() || tree.HasKey(RegFileKeyPath(root, path));
        return exists ? Hand(root, path) : std::nullopt;
    }
    std::optional<RegistryKey> CreateKey(RegistryRoot root, const std::string& path) override {
        tree.AddKey(RegFileKeyPath(root, path));
        return Hand(root, path);
    }
    std::optional<RegistryValue> QueryValue(RegistryKey key, const std::string& name) override {
        const RegistryValue* value = tree.Find(open_.at(key), name);
        return value != nullptr ? std::optional(*value) : std::nullopt;
    }
    bool SetValue(RegistryKey key, const std::string& name, const RegistryValue& value) override {
        tree.Set(open_.at(key), name, value);
        return true;
    }
    bool DeleteValue(RegistryKey key, const std::string& name) override {
        return tree.Remove(open_.at(key), name);
    }
    bool DeleteKey(RegistryRoot root, const std::string& path) override {
        return !path.empty() && tree.RemoveKey(RegFileKeyPath(root, path));
    }
    void CloseKey(RegistryKey key) override { open_.erase(key); }
    bool AllClosed() const { return open_.empty(); }

    RegistryTree tree;

  private:
    std::optional<RegistryKey> Hand(RegistryRoot root, const std::string& path) {
        open_[next_] = RegFileKeyPath(root, path);
        return next_++;
    }
    std::map<RegistryKey, std::string> open_;
    RegistryKey next_ = 1;
};

} // namespace diglux::test
