// The three settings wrappers: read (with default), write and delete one value of the
// program's settings key HKCU\Software\<maker>\<product>. A name holding a "\" is kept whole as
// a value name, not read as a sub-key.
#pragma once

#include "store/DynamicValue.h"
#include "store/RegistryAccess.h"

#include <string>

namespace diglux {

class SettingsStore {
  public:
    SettingsStore(RegistryAccess& registry, std::string maker, std::string product);

    // The stored value, or the default when it is missing, unreadable or of a type the layer
    // does not hand out.
    DynamicValue GetSettingValue(const std::string& name, const DynamicValue& defaultValue);
    // The stored value's text form (numbers in decimal), or the default text when it is
    // missing or has no text form.
    std::string GetSettingText(const std::string& name, const std::string& defaultValue);
    void SaveSettingValue(const std::string& name, const DynamicValue& value);
    // A blank name deletes the whole product key (only when it has no sub-keys).
    void DeleteSettingValue(const std::string& name);

  private:
    RegistryAccess& registry_;
    std::string maker_;
    std::string product_;
};

// "HKCU\Software\<maker>\<product>\<name>", with "\" put in front of a name holding a "\".
std::string SettingPath(const std::string& maker, const std::string& product,
                        const std::string& name);

} // namespace diglux
