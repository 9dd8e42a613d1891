// Keeps Windows 7 and 8 from scaling the pixel-exact clock: removes the high-DPI compatibility
// flags the user may have set for the executable (and restarts the program without them), and
// on a scaled desktop that still uses the Windows XP style of scaling offers to switch that
// off and to log off so that the change takes effect. Other versions have nothing to check.
#pragma once

#include "host/Desktop.h"
#include "host/Processes.h"
#include "platform/Environment.h"
#include "store/RegistryAccess.h"

#include <string>

namespace diglux {

enum class DpiCheckResult {
    NothingToDo,   // the check returns true
    Warned,        // something was changed or asked; the check returns false
    RestartNeeded, // the program was started again without the flags; this process must end
};

// The warning about a scaled desktop, with CR LF line breaks.
std::string DpiWarningText(int percent, int dpi);
// The note after switching the scaling style off, with the log-off question when asked.
std::string DpiLogoffText(bool askLogoff);
// Scaling in per cent for a DPI value: dpi x 100 / 96, rounded half to even.
int ScalingPercent(int dpi);

class DpiCheck {
  public:
    DpiCheck(RegistryAccess& registry, const Environment& environment, Desktop& desktop,
             Processes& processes);

    DpiCheckResult Run(bool askLogoff, bool silent);

  private:
    int DesktopDpi();
    bool RemoveCompatibilityFlags();
    DpiCheckResult AskToSwitchOff(bool askLogoff);

    RegistryAccess& registry_;
    const Environment& environment_;
    Desktop& desktop_;
    Processes& processes_;
    int dpi_ = 0; // kept once read as 1 or more
};

} // namespace diglux
