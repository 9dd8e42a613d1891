// A hierarchical key/value store with the registry's roots, keys and typed values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace diglux {

// The roots the program reads and writes: the user's settings and the machine's.
enum class RegistryRoot { CurrentUser, LocalMachine };

enum class RegistryType : std::uint32_t {
    None = 0,
    String = 1,
    ExpandString = 2,
    Binary = 3,
    DWord = 4,
    MultiString = 7,
};

struct RegistryValue {
    RegistryType type = RegistryType::None;
    std::vector<std::uint8_t> data; // raw bytes as the registry keeps them
    bool operator==(const RegistryValue&) const = default;
};

using RegistryKey = std::uint64_t; // 0 is never a valid key

class RegistryBackend {
  public:
    virtual ~RegistryBackend() = default;
    // Opens an existing key ("Software\\X\\Y", no leading "\\"); empty when missing.
    virtual std::optional<RegistryKey> OpenKey(RegistryRoot root, const std::string& path,
                                               bool writable) = 0;
    // Opens a key, creating every missing level; empty on failure.
    virtual std::optional<RegistryKey> CreateKey(RegistryRoot root, const std::string& path) = 0;
    // Reads a value ("" is the default value); empty when missing.
    virtual std::optional<RegistryValue> QueryValue(RegistryKey key, const std::string& name) = 0;
    // Writes a value; false on failure.
    virtual bool SetValue(RegistryKey key, const std::string& name, const RegistryValue& value) = 0;
    virtual bool DeleteValue(RegistryKey key, const std::string& name) = 0;
    // Deletes a key that has no sub-keys; false when missing or not empty.
    virtual bool DeleteKey(RegistryRoot root, const std::string& path) = 0;
    virtual void CloseKey(RegistryKey key) = 0;
};

} // namespace diglux
