// Facts about the running program on Linux: /proc/self/exe, the environment, the build's
// version numbers, an operating-system version of 10.0 (so every branch for old systems
// is taken as on a current one), and the single-instance test through InstanceLock.
#pragma once

#include "host/SystemInfo.h"
#include "host/linux/InstanceLock.h"

namespace diglux {

class LinuxSystemInfo final : public SystemInfo {
  public:
    std::string ExecutablePath() const override;
    std::optional<std::string> Environment(const std::string& name) const override;
    OsVersion OperatingSystemVersion() const override { return {2, 10, 0}; }
    ProgramVersion Version() const override;
    // When the lock file cannot be used at all, no other instance is assumed.
    bool OtherInstanceRunning() override;
    bool UsesManifests() const override { return false; }

  private:
    InstanceLock lock_;
};

} // namespace diglux
