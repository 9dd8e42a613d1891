#include "host/linux/LinuxSystemInfo.h"

#include "BuildVersion.h"

#include <cstdlib>
#include <unistd.h>

namespace diglux {

std::string LinuxSystemInfo::ExecutablePath() const {
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= path.size()) {
        return {};
    }
    path.resize(static_cast<std::size_t>(length));
    return path;
}

std::optional<std::string> LinuxSystemInfo::Environment(const std::string& name) const {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

ProgramVersion LinuxSystemInfo::Version() const {
    return {kBuildVersionMajor, kBuildVersionMinor, kBuildVersionRevision};
}

bool LinuxSystemInfo::OtherInstanceRunning() {
    return lock_.Acquire() == InstanceLock::Outcome::HeldElsewhere;
}

} // namespace diglux
