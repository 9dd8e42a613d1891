// The checks at the start of the clock, before any window is shown: the application manifest
// (with a restart when it was just written), the single-instance test, the colour depth and
// the display scaling. Each refusal shows its message box; the caller then ends the program
// without saving anything.
#pragma once

#include "host/Desktop.h"
#include "host/Processes.h"
#include "host/SystemInfo.h"
#include "platform/DpiCheck.h"
#include "platform/Environment.h"
#include "platform/ManifestWriter.h"
#include "store/SettingsStore.h"

#include <string>

namespace diglux {

// The colour-depth refusal for a depth of 8 or 16 bits, with CR LF line breaks.
std::string ColorDepthText(int bitsPerPixel);
inline constexpr const char* kAlreadyRunningText = "FEHLER:  Das Programm läuft bereits!      ";

struct StartupCheckParts {
    SettingsStore& store;
    RegistryAccess& registry; // the display scaling's values
    FileSystem& files;        // the manifest beside the executable
    const Environment& environment;
    SystemInfo& system;
    Desktop& desktop;
    Processes& processes;
};

class StartupChecks {
  public:
    explicit StartupChecks(const StartupCheckParts& parts);
    // Runs every check in order; false when the program must end now (a refusal, or another
    // process of it has been started in its place).
    bool Run();

  private:
    bool RestartForManifest();
    bool SingleInstance();
    bool ColorDepth();
    std::string Get(const std::string& name, const std::string& defaultValue);

    StartupCheckParts p_;
    ManifestWriter manifest_;
    DpiCheck dpi_;
};

} // namespace diglux
