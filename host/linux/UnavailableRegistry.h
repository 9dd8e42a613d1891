// A settings store that cannot be used: no key opens, nothing is read or written. The clock
// then runs on its built-in defaults and its changes last until it ends.
#pragma once

#include "host/RegistryBackend.h"

namespace diglux {

class UnavailableRegistry final : public RegistryBackend {
  public:
    std::optional<RegistryKey> OpenKey(RegistryRoot /*root*/, const std::string& /*path*/,
                                       bool /*writable*/) override {
        return std::nullopt;
    }
    std::optional<RegistryKey> CreateKey(RegistryRoot /*root*/,
                                         const std::string& /*path*/) override {
        return std::nullopt;
    }
    std::optional<RegistryValue> QueryValue(RegistryKey /*key*/,
                                            const std::string& /*name*/) override {
        return std::nullopt;
    }
    bool SetValue(RegistryKey /*key*/, const std::string& /*name*/,
                  const RegistryValue& /*value*/) override {
        return false;
    }
    bool DeleteValue(RegistryKey /*key*/, const std::string& /*name*/) override { return false; }
    bool DeleteKey(RegistryRoot /*root*/, const std::string& /*path*/) override { return false; }
    void CloseKey(RegistryKey /*key*/) override {}
};

} // namespace diglux
