// The three settings wrappers: read (with default), write and delete one value under
// HKCU\Software\<maker>\<product>.
//
// Not yet connected to the store: reads give the default, writes and deletes change nothing,
// until the store work lands (see DESIGN-NOTES.md, "Pending calls").
#pragma once

#include "host/RegistryBackend.h"

#include <string>

namespace diglux {

class SettingsStore {
  public:
    explicit SettingsStore(RegistryBackend& backend);
    std::string GetSettingValue(const std::string& maker, const std::string& product,
                                const std::string& name, const std::string& defaultValue);
    void SaveSettingValue(const std::string& maker, const std::string& product,
                          const std::string& name, const std::string& value);
    void DeleteSettingValue(const std::string& maker, const std::string& product,
                            const std::string& name);

  private:
    RegistryBackend& backend_;
};

} // namespace diglux
