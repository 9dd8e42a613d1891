// Moves the settings between the running state and the store: loading at start-up with the
// conversions of each stored form, SetSave, the window position of each desktop orientation,
// and the once-per-second countdowns that save the position after a drag and load the other
// one after the desktop turned.
#pragma once

#include "app/ClockState.h"
#include "display/TextDisplay.h"
#include "host/ClockWindowHost.h"
#include "host/Desktop.h"
#include "model/NumberText.h"
#include "platform/Environment.h"
#include "store/SettingsStore.h"

#include <functional>
#include <string>

namespace diglux {

class Settings {
  public:
    // doEvents lets pending events run; setAutoStart brings the autostart entry in line with
    // the AutoStart setting right after it was loaded (may be empty).
    Settings(ClockState& state, SettingsStore& store, ClockWindowHost& window,
             const Desktop& desktop, const Environment& environment, TextDisplay& text,
             std::function<void()> doEvents, std::function<void()> setAutoStart = {});

    // Reads every setting from Blink to Color.Offset, in that order, with its default.
    void Load();
    // Writes the window position and then every setting.
    void SetSave();
    void LoadOrientation();
    void SaveOrientation();
    // Once per second: counts the save and load countdowns down and acts when one ends.
    void ChkLoadSave();

  private:
    std::string Get(const std::string& name, const std::string& defaultValue);
    void Save(const std::string& name, const std::string& value);
    bool GetFlag(const std::string& name, const std::string& defaultValue);
    double GetNumber(const std::string& name, const std::string& defaultValue);
    void LoadAutoStart();
    void SaveFlag(const std::string& name, bool value);
    void SaveNumber(const std::string& name, long value);

    ClockState& state_;
    SettingsStore& store_;
    ClockWindowHost& window_;
    const Desktop& desktop_;
    const Environment& environment_;
    TextDisplay& text_;
    std::function<void()> doEvents_;
    std::function<void()> setAutoStart_;
};

} // namespace diglux
