// A registry held in memory, as a registry file describes it: keys named by their full path
// with the root's long name ("HKEY_CURRENT_USER\Software\Tandemark"), each with its values in
// the order they were first written. Key paths and value names compare without regard to
// (ASCII) case and keep the spelling they were created with. Every key's parent exists.
#pragma once

#include "host/RegistryBackend.h"

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace diglux {

class RegistryTree {
  public:
    struct Value {
        std::string name; // "" for the key's default value
        RegistryValue data;
    };
    struct Key {
        std::string path;
        std::vector<Value> values;
        std::unordered_map<std::string, std::size_t> index; // lower-case name -> position
    };

    bool HasKey(std::string_view path) const;
    bool HasSubKeys(std::string_view path) const;
    // Adds the key and every missing level above it; false when it existed.
    bool AddKey(std::string_view path);
    // Removes one key without sub-keys; false when it is missing or has sub-keys.
    bool RemoveKey(std::string_view path);
    // Removes a key with everything below it.
    void RemoveTree(std::string_view path);

    // The value, or nullptr when the key or the value is missing.
    const RegistryValue* Find(std::string_view path, std::string_view name) const;
    // Writes a value, adding the key when it is missing; false when nothing changed.
    bool Set(std::string_view path, std::string_view name, const RegistryValue& data);
    // False when the value was missing.
    bool Remove(std::string_view path, std::string_view name);

    // Every key, parents before their sub-keys.
    std::vector<const Key*> Keys() const;
    bool operator==(const RegistryTree& other) const;

  private:
    static std::string SortKey(std::string_view path);
    static std::string Folded(std::string_view name);
    Key* FindKey(std::string_view path);
    const Key* FindKey(std::string_view path) const;

    std::map<std::string, Key> keys_;
};

// Key paths below a root: one or more names separated by "\", none of them empty, and no
// control characters. "" (the root itself) is valid.
bool IsValidKeyPath(std::string_view path);
// A value name a registry file can hold: no zero, carriage return or line feed.
bool IsValidValueName(std::string_view name);
// Compares two names without regard to ASCII case.
bool SameName(std::string_view a, std::string_view b);

} // namespace diglux
