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

SettingsStore::SettingsStore(RegistryAccess& registry, std::string maker, std::string product)
    : registry_(registry), maker_(std::move(maker)), product_(std::move(product)) {}

DynamicValue SettingsStore::GetSettingValue(const std::string& name,
                                            const DynamicValue& defaultValue) {
    DynamicValue value = registry_.RegistryValue(SettingPath(maker_, product_, name));
    return value.IsEmpty() ? defaultValue : value;
}

std::string SettingsStore::GetSettingText(const std::string& name,
                                          const std::string& defaultValue) {
    return GetSettingValue(name, defaultValue).TextForm().value_or(defaultValue);
}

void SettingsStore::SaveSettingValue(const std::string& name, const DynamicValue& value) {
    registry_.RegistrySet(SettingPath(maker_, product_, name), value);
}

void SettingsStore::DeleteSettingValue(const std::string& name) {
    if (TrimBlanks(name).empty()) {
        registry_.RegDeleteKeyPath("HKCU\\Software\\" + maker_ + "\\" + product_);
    } else {
        registry_.RegDeleteValuePath(SettingPath(maker_, product_, name));
    }
}

} // namespace diglux
