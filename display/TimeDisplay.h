// DrawTime: paints the clock face for a given moment: the big digits, the colons, the date,
// the three icons, and the weekday and the field below. It redraws only what changed since its
// last call and keeps what it needs to know that to itself; callers ask for a full repaint
// with Invalidate(), and for a new tint with InvalidateColor(), which is the only way the
// glyph maps are recoloured.
#pragma once

#include "display/ClockFace.h"
#include "display/GlyphMaps.h"
#include "display/TextDisplay.h"
#include "host/Clock.h"
#include "model/Settings.h"

#include <array>
#include <functional>
#include <optional>

namespace diglux {

// What the big digits show while the alarm time is typed: its four digits and the cursor.
struct AlarmEntryView {
    std::array<int, 4> digits{};
    int pos = 0;
};

class TimeDisplay {
  public:
    // unitsPerPixelX: the window's logical units per pixel, for the frame.
    TimeDisplay(const Settings& settings, ClockFace& face, GlyphMaps& maps, const Clock& clock,
                TextDisplay& text, double unitsPerPixelX);

    // Paints the face for the moment given, or for the clock's current time.
    void DrawTime(const LocalDateTime& now);
    void DrawTime();

    // The next DrawTime repaints everything; with a new colour it recolours the maps first.
    void Invalidate() { displayValid_ = false; }
    void InvalidateColor();
    // The colon's phase for the following draws: 1 lit, 0 dark (only shown while Blink is on).
    void SetColonPhase(int phase) { colonPhase_ = phase; }
    int ColonPhase() const { return colonPhase_; }

    // The bell icon: 1 lit, 0 dark; the alarm blinks it, the alarm entry blinks the cursor
    // with it. ShowBell draws it at once, SetBellState on the next DrawTime.
    int BellState() const { return bellState_; }
    void SetBellState(int state) { bellState_ = state; }
    void ShowBell(int state);
    // The alarm time being typed replaces the time on the big digits; empty ends that.
    void SetAlarmEntry(const std::optional<AlarmEntryView>& entry) { alarmEntry_ = entry; }
    // While the alarm rings its banner has the text line: the weekday waits.
    void SetAlarmRinging(bool ringing) { alarmRinging_ = ringing; }

    // The colour in use: the settings' colour with the brightness offset added and clamped.
    Rgb EffColor() const { return effColor_; }
    // Run after a recolouring while the settings dialog is open, so that it shows the colour in
    // use; empty while there is no dialog.
    std::function<void()> reloadDialogColors;

  private:
    void Recolor(const LocalDateTime& now);
    void DrawColons();
    void DrawIcons();
    void DrawClockDigits(const LocalDateTime& now);
    void DrawDate(const LocalDateTime& now);

    const Settings& settings_;
    ClockFace& face_;
    GlyphMaps& maps_;
    const Clock& clock_;
    TextDisplay& text_;
    double unitsPerPixelX_;

    bool displayValid_ = false;
    bool colorDirty_ = true;
    Rgb effColor_{};
    int colonPhase_ = 0;
    int lastDrawnHour_ = -1;
    int lastDrawnMinute_ = -1;
    int lastDrawnSecond_ = -1;
    LocalDateTime lastDrawnDate_{0, 0, 0, 0, 0, 0};
    int bellState_ = 0;
    int bellDrawn_ = 2; // 2 draws the bell on the next call whatever its state
    bool noSignalMark_ = false;
    bool noSagZeitMark_ = false;
    std::optional<AlarmEntryView> alarmEntry_;
    bool alarmRinging_ = false;
};

} // namespace diglux
