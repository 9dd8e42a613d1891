#include "SettingsStore.h"

namespace diglux {

SettingsStore::SettingsStore(RegistryBackend& backend) : backend_(backend) {}

// Pending: the path-based registry layer comes with the store work.
std::string SettingsStore::GetSettingValue(const std::string&, const std::string&,
                                           const std::string&, const std::string& defaultValue) {
    return defaultValue;
}

void SettingsStore::SaveSettingValue(const std::string&, const std::string&, const std::string&,
                                     const std::string&) {}

void SettingsStore::DeleteSettingValue(const std::string&, const std::string&, const std::string&) {
}

} // namespace diglux
