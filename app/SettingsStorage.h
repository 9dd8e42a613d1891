// Moves the settings between memory and the store: every setting loaded once at start-up with
// its default, and SetSave, which writes the window position and then every setting. Both walk
// the one table of settings.
#pragma once

#include "model/Settings.h"
#include "store/SettingsStore.h"
#include "window/WindowPlacement.h"

#include <functional>

namespace diglux {

class SettingsStorage {
  public:
    // olderSystem: the operating system is older than version 6, which changes a default.
    // afterAutoStart runs right after AutoStart is loaded (may be empty).
    SettingsStorage(Settings& settings, SettingsStore& store, WindowPlacement& placement,
                    std::function<bool()> olderSystem, std::function<void()> afterAutoStart = {});

    // Reads every setting from Blink to Color.Offset, in that order, with its default.
    void Load();
    // Writes the window position and then every setting.
    void SetSave();

  private:
    Settings& settings_;
    SettingsStore& store_;
    WindowPlacement& placement_;
    std::function<bool()> olderSystem_;
    std::function<void()> afterAutoStart_;
};

} // namespace diglux
