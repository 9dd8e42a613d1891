// Path-based access to the registry: every operation takes one text path (see RegistryPath.h),
// opens the key, converts between the stored types and DynamicValue, and closes the key again
// within the call. Errors never reach the caller: a failed read gives an empty value, a failed
// write or delete does nothing (and the delete reports false).
#pragma once

#include "host/RegistryBackend.h"
#include "store/DynamicValue.h"

#include <string>

namespace diglux {

// Stored data to dynamic value and back, as the tables of stored types fix them.
DynamicValue FromStored(const RegistryValue& stored);
RegistryValue ToStored(const DynamicValue& value);

class RegistryAccess {
  public:
    explicit RegistryAccess(RegistryBackend& backend);

    // Reads the value; empty when it is missing or unreadable.
    DynamicValue RegistryValue(const std::string& path);
    // Creates every missing key level and writes the value with the type its kind maps to.
    void RegistrySet(const std::string& path, const DynamicValue& value);
    // Deletes the key the whole path names (it must have no sub-keys); true on success.
    bool RegDeleteKeyPath(const std::string& path);
    // Deletes the named value; true on success, false when it did not exist.
    bool RegDeleteValuePath(const std::string& path);

  private:
    RegistryBackend& backend_;
};

} // namespace diglux
