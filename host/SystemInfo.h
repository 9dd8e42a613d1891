// Facts about the running program and the system: executable path, environment,
// version numbers and the single-instance test.
#pragma once

#include <optional>
#include <string>

namespace diglux {

struct OsVersion {
    int platformId = 2; // 2: the NT family
    int major = 10;
    int minor = 0;
};

struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int revision = 0;
};

class SystemInfo {
  public:
    virtual ~SystemInfo() = default;
    // The running executable's full path.
    virtual std::string ExecutablePath() const = 0;
    // An environment variable; empty when unset.
    virtual std::optional<std::string> Environment(const std::string& name) const = 0;
    // The operating-system version as the program sees it.
    virtual OsVersion OperatingSystemVersion() const = 0;
    // The program's own version numbers (build data).
    virtual ProgramVersion Version() const = 0;
    // True when another instance of this program already runs for this user. The first
    // call takes the instance lock for this process.
    virtual bool OtherInstanceRunning() = 0;
    // Whether the platform reads application manifests beside executables.
    virtual bool UsesManifests() const = 0;
};

} // namespace diglux
