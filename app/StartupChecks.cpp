#include "StartupChecks.h"

#include "model/ProgramInfo.h"

#include "model/NumberText.h"

namespace diglux {

std::string ColorDepthText(int bitsPerPixel) {
    return "    Die Grafik-Auflösung ist derzeit auf " + std::to_string(bitsPerPixel) +
           " Bit eingestellt.    \r\n    Dieses Programm benötigt jedoch 24 Bit oder 32 "
           "Bit.    \r\n ";
}

StartupChecks::StartupChecks(const StartupCheckParts& parts)
    : p_(parts), manifest_(parts.system, parts.environment, parts.files, kProductName),
      dpi_(parts.registry, parts.environment, parts.desktop, parts.processes) {}

std::string StartupChecks::Get(const std::string& name, const std::string& defaultValue) {
    return p_.store.GetSettingText(name, defaultValue);
}

bool StartupChecks::Run() {
    // The runtime settings area of the Windows build has no counterpart here: nothing to clear.
    return RestartForManifest() && SingleInstance() && ColorDepth() &&
           dpi_.Run(true, false) != DpiCheckResult::RestartNeeded;
}

// A new or rewritten manifest is read by the system only when the program starts, so the
// program starts itself once more and leaves the Reload marker for the new process.
bool StartupChecks::RestartForManifest() {
    if (!manifest_.Write(false)) {
        return true;
    }
    // Already the restarted process: a manifest that does not stick must not restart forever.
    if (LeadingNumber(Get("Reload", "0")) != 0.0) {
        return true;
    }
    p_.store.SaveSettingValue("Reload", "1");
    if (p_.processes.Start(p_.environment.ExePath(), {})) {
        return false;
    }
    // The new process could not be started: this one carries on instead.
    p_.store.DeleteSettingValue("Reload");
    return true;
}

bool StartupChecks::SingleInstance() {
    if (LeadingNumber(Get("Reload", "0")) != 0.0) {
        // Started by the previous process, which may still be ending: not a second instance.
        p_.store.DeleteSettingValue("Reload");
        p_.system.OtherInstanceRunning(); // takes the instance lock if it is free by now
        return true;
    }
    if (!p_.system.OtherInstanceRunning()) {
        return true;
    }
    p_.desktop.ShowMessageBox(
        {kAlreadyRunningText, " ", MessageIcon::Critical, MessageButtons::Ok, 1});
    return false;
}

bool StartupChecks::ColorDepth() {
    const int bits = p_.environment.ScreenBitsPerPixel();
    if (bits != 8 && bits != 16) {
        return true;
    }
    p_.desktop.ShowMessageBox(
        {ColorDepthText(bits), " Diglux Fehler:", MessageIcon::Critical, MessageButtons::Ok, 1});
    return false;
}

} // namespace diglux
