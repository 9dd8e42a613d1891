// Moves the settings between the running state and the store: loading at start-up, SetSave,
// the window position of each desktop orientation, and the once-per-second countdowns that
// save the position after a drag and load the other one after the desktop turned.
//
// LoadOrientation and SaveOrientation are complete. Load, SetSave's settings and
// ChkLoadSave are not yet written (see DESIGN-NOTES.md, "Pending calls"): until then the
// clock runs on the defaults of ClockState.
#pragma once

#include "app/ClockState.h"
#include "host/ClockWindowHost.h"
#include "host/Desktop.h"
#include "store/SettingsStore.h"

#include <string>

namespace diglux {

// The leading decimal number of a text ("." as decimal point); 0 when it has none.
double LeadingNumber(const std::string& text);

class Settings {
  public:
    Settings(ClockState& state, SettingsStore& store, ClockWindowHost& window,
             const Desktop& desktop);

    void Load();
    void SetSave();
    void LoadOrientation();
    void SaveOrientation();
    void ChkLoadSave();

  private:
    std::string Get(const std::string& name, const std::string& defaultValue);
    void Save(const std::string& name, const std::string& value);

    ClockState& state_;
    SettingsStore& store_;
    ClockWindowHost& window_;
    const Desktop& desktop_;
};

} // namespace diglux
