// Path-based access to the registry: every operation takes one text path (see RegistryPath.h),
// opens the key, converts between the stored types and DynamicValue, and closes the key again
// within the call. Errors never reach the caller: a failed read gives an empty value, a failed
// write or delete does nothing (and the delete reports false).
#pragma once

#include "host/Desktop.h"
#include "host/RegistryBackend.h"
#include "store/DynamicValue.h"

#include <string>

namespace diglux {

// What RegistryValue does with a path, by the program's operation codes.
enum RegistryOperation : int {
    kRegRead = 0,
    kRegListKeys = 1,   // never used by the program; gives an empty value
    kRegListValues = 2, // never used by the program; gives an empty value
    kRegCreateKey = 3,  // never used by the program; gives an empty value
    kRegDeleteKey = 4,
    kRegDeleteValue = 5,
};

// Stored data to dynamic value and back, as the tables of stored types fix them.
DynamicValue FromStored(const RegistryValue& stored);
// Empty when the value cannot be stored (an array of dynamic values).
std::optional<RegistryValue> ToStored(const DynamicValue& value);

class RegistryAccess {
  public:
    // The desktop only sounds the beep for a value that cannot be stored.
    RegistryAccess(RegistryBackend& backend, Desktop& desktop);

    // Reads the value (empty when missing or unreadable), or with code 4 or 5 deletes the key
    // or the value and gives the outcome as a flag (-1 true, 0 false).
    DynamicValue RegistryValue(const std::string& path, int operation = kRegRead);
    // Creates every missing key level and writes the value with the type its kind maps to.
    void RegistrySet(const std::string& path, const DynamicValue& value);
    // Deletes the key the whole path names (it must have no sub-keys); true on success.
    bool RegDeleteKeyPath(const std::string& path);
    // Deletes the named value; true on success, false when it did not exist.
    bool RegDeleteValuePath(const std::string& path);

  private:
    DynamicValue Read(const std::string& path);

    RegistryBackend& backend_;
    Desktop& desktop_;
};

} // namespace diglux
