// Where the window sits: one stored position for a landscape and one for a portrait desktop,
// the countdown that saves the position shortly after a drag, and the one that moves the
// window to the other position shortly after the desktop turned.
#pragma once

#include "display/TextDisplay.h"
#include "host/ClockWindowHost.h"
#include "host/Desktop.h"
#include "model/Settings.h"
#include "speech/SoundPlayer.h"
#include "store/SettingsStore.h"

#include <cstdint>
#include <functional>

namespace diglux {

class WindowPlacement {
  public:
    // doEvents pushes what changed to the screen and lets pending events run.
    WindowPlacement(SettingsStore& store, ClockWindowHost& window, const Desktop& desktop,
                    const Settings& settings, TextDisplay& text, SoundPlayer& sound,
                    std::function<void()> doEvents);

    // Moves the window to the stored position of the desktop's orientation.
    void LoadOrientation();
    // Stores the window's position under the names of the desktop's orientation.
    void SaveOrientation();
    // Takes the desktop's orientation as the one the window is placed for (start-up).
    void NoteOrientation();
    // Notices a turned desktop: a click sound, then the countdown to the other position.
    void ChkOrientation();
    // Whether the desktop has turned since the window was placed (ChkOrientation acts then).
    bool OrientationChanged() const;
    // Once a second: counts the save and load countdowns down and acts when one ends.
    void ChkLoadSave();
    // The window was dragged: its position is saved on the second change after next.
    void Dragged() { saveCountdown_ = 2; }

  private:
    SettingsStore& store_;
    ClockWindowHost& window_;
    const Desktop& desktop_;
    const Settings& settings_;
    TextDisplay& text_;
    SoundPlayer& sound_;
    std::function<void()> doEvents_;
    std::int32_t saveCountdown_ = 0;
    std::int32_t loadCountdown_ = 0;
    int orientationIndex_ = 0;
};

} // namespace diglux
