// DrawTime: paints the clock face from the current time and state. It redraws only what
// changed since its last call (hours, minutes, seconds, date, colons, icons); callers force a
// full repaint with DisplayValid = false, and a new colour with ColorDirty as well, which is
// the only place the glyph maps are recoloured.
#pragma once

#include "app/ClockState.h"
#include "display/ClockFace.h"
#include "display/GlyphMaps.h"
#include "display/TextDisplay.h"
#include "host/Clock.h"

#include <functional>

namespace diglux {

class TimeDisplay {
  public:
    TimeDisplay(ClockState& state, ClockFace& face, GlyphMaps& maps, const Clock& clock,
                TextDisplay& text);

    void DrawTime();

    // Called after a recolouring while the settings dialog is open, so that it shows the
    // colour in use; empty while there is no dialog.
    std::function<void()> reloadDialogColors;

  private:
    void Recolor();
    void DrawAlarmEntryDigits(std::array<int, 4>& hourMinute);
    void DrawColons();
    void DrawIcons();
    void DrawClockDigits(const std::array<int, 4>& hourMinute, int secondTens, int secondUnits);
    void DrawDate();

    ClockState& state_;
    ClockFace& face_;
    GlyphMaps& maps_;
    const Clock& clock_;
    TextDisplay& text_;
};

} // namespace diglux
