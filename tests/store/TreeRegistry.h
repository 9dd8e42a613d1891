// A registry backend over a RegistryTree in memory, with the registry's rules (roots always
// exist, keys and names without regard to case, no deleting a key that has sub-keys), for
// testing the path layer without files.
#pragma once

#include "host/RegistryBackend.h"
#include "store/RegFileFormat.h"
#include "store/RegistryTree.h"

#include <map>

namespace diglux::test {

class TreeRegistry final : public RegistryBackend {
  public:
    std::optional<RegistryKey> OpenKey(RegistryRoot root, const std::string& path,
                                       bool /*writable*/) override {
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
        const std::string full = RegFileKeyPath(root, path);
        tree.AddKey(full);
        open_[next_] = full;
        return next_++;
    }
    std::optional<RegistryValue> QueryValue(RegistryKey key, const std::string& name) override {
        const auto it = open_.find(key);
        const RegistryValue* value = it == open_.end() ? nullptr : tree.Find(it->second, name);
        return value != nullptr ? std::optional<RegistryValue>(*value) : std::nullopt;
    }
    bool SetValue(RegistryKey key, const std::string& name, const RegistryValue& value) override {
        const auto it = open_.find(key);
        if (it == open_.end()) {
            return false;
        }
        tree.Set(it->second, name, value);
        return true;
    }
    bool DeleteValue(RegistryKey key, const std::string& name) override {
        const auto it = open_.find(key);
        return it != open_.end() && tree.Remove(it->second, name);
    }
    bool DeleteKey(RegistryRoot root, const std::string& path) override {
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

} // namespace diglux::test
