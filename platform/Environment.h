// Small queries about the machine and the program's own file: version text and numbers,
// colour depth, executable name, temporary folder, files, and a blocking wait.
//
// TempDir, FileLength and ResToFile are not yet written: they give the neutral results
// "", -1 and false until the platform work lands (see DESIGN-NOTES.md, "Pending calls").
#pragma once

#include "host/Clock.h"
#include "host/Desktop.h"
#include "host/Resources.h"
#include "host/SystemInfo.h"

#include <string>

namespace diglux {

// "1.05", "1.05c", "1.05 Alpha 2", "1.05 Beta 10", "1.05ß" from the version numbers.
std::string MakeVersionText(const ProgramVersion& version);
// The executable's path up to and including its last "."; empty without one.
std::string ExePathStem(const std::string& exePath);
// The file-name part of ExePathStem (after the last "/" or "\"), ending with ".".
std::string ExeBaseName(const std::string& exePath);

class Environment {
  public:
    Environment(const SystemInfo& system, const Desktop& desktop, Clock& clock,
                const Resources& resources);

    std::string ExePath() const;
    float WinVersion() const;
    bool IsNTPlatform() const;
    bool ShadowSupported() const;
    int ScreenBitsPerPixel() const;
    std::string TempDir();
    long FileLength(const std::string& path) const;
    bool ResToFile(const std::string& type, const std::string& name, const std::string& path);
    // Sleeps seconds x 1000 ms, rounded half to even; no events run meanwhile.
    void WaitSeconds(float seconds);

  private:
    const SystemInfo& system_;
    const Desktop& desktop_;
    Clock& clock_;
    const Resources& resources_;
};

} // namespace diglux
