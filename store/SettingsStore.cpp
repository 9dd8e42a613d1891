#include "SettingsStore.h"

#include "store/RegistryPath.h"

namespace diglux {

std::string SettingPath(const std::string& maker, const std::string& product,
                        const std::string& name) {
    // The extra backslash makes a double one between key and name, which keeps the name's
    // own backslashes.
    const std::string valueName = name.find('\\') != std::string::npos ? "\\" + name : name;
    return "HKCU\\Software\\" + maker + "\\" + product + "\\" + valueName;
}

SettingsStore::SettingsStore(RegistryAccess& registry) : registry_(registry) {}

DynamicValue SettingsStore::GetSettingValue(const std::string& maker, const std::string& product,
                                            const std::string& name,
                                            const DynamicValue& defaultValue) {
    DynamicValue value = registry_.RegistryValue(SettingPath(maker, product, name));
    return value.IsEmpty() ? defaultValue : value;
}

std::string SettingsStore::GetSettingText(const std::string& maker, const std::string& product,
                                          const std::string& name,
                                          const std::string& defaultValue) {
    const DynamicValue value = GetSettingValue(maker, product, name, defaultValue);
    return value.TextForm().value_or(defaultValue);
}

void SettingsStore::SaveSettingValue(const std::string& maker, const std::string& product,
                                     const std::string& name, const DynamicValue& value) {
    registry_.RegistrySet(SettingPath(maker, product, name), value);
}

void SettingsStore::DeleteSettingValue(const std::string& maker, const std::string& product,
                                       const std::string& name) {
    if (TrimBlanks(name).empty()) {
        registry_.RegistryValue("HKCU\\Software\\" + maker + "\\" + product, kRegDeleteKey);
    } else {
        registry_.RegistryValue(SettingPath(maker, product, name), kRegDeleteValue);
    }
}

} // namespace diglux
