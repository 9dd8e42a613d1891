// The two sixteen-segment text displays: the 13-character line PicT1 (weekday, messages,
// scrolling texts) and the 7-character field PicT2 (calendar week or alarm time), which rolls
// to a new text like a mechanical counter. Characters are cells of PicMap16S (code - 31).
#pragma once

#include "display/ClockFace.h"
#include "display/GlyphMaps.h"
#include "host/Clock.h"
#include "host/ClockWindowHost.h"
#include "host/TimerService.h"
#include "model/Settings.h"

#include <functional>
#include <string>

namespace diglux {

// A text as the displays draw it: umlauts spelled out, then (with iSerifOff) every capital I
// as the serif-less "|", and every character still outside 32..127 as "?".
std::string PrepareDisplayText(const std::string& text, bool iSerifOff);

// Whether a text on the line waits for the one shown to have had its second.
enum class Force : bool { No, Yes };
enum class Align : bool { Left, Right };

// How the field changes to a new text: rolling through the codes in between (steps > 1 skips
// frames), or with initX drawn at once.
struct FieldChange {
    bool initX = false;
    double steps = 0;
};

class TextDisplay {
  public:
    // doEvents pushes what changed to the screen and lets pending events run.
    TextDisplay(const Settings& settings, ClockFace& face, const GlyphMaps& maps, Clock& clock,
                TimerService& timers, const ClockWindowHost& window,
                std::function<void()> doEvents);
    // The 5 ms timer that drives scrolling; enabled only while a text scrolls.
    void SetScrollTimer(TimerId timerScr) { timerScr_ = timerScr; }

    // Shows a text on the line. Unforced texts are dropped while a text scrolls and within
    // one second of the last update; a forced text ends a scroll and shows at once.
    void ShowText1(const std::string& text, Force force);
    // Starts scrolling a text (when not empty) with a step delay in seconds (0 or less: 0.125);
    // afterText is shown when it has passed (empty: the text shown before).
    void ScrollText1(const std::string& text, double delay, const std::string& afterText = "");
    // Puts the calendar week of today or the alarm time (by Text.2) on the field,
    // right-aligned; without a date, of the clock's today.
    void DrawText2(const LocalDateTime& today, FieldChange change = {});
    void DrawText2(FieldChange change = {});
    // Shows a text on the field.
    void RollText2(const std::string& text, Align align, FieldChange change);
    // TimerScr's handler: advances a running scroll when its step is due.
    void TimerScr_Timer();
    // How many of TimerScr's coming ticks fall before the next scroll step is due.
    long IdleScrollTicks(double msToNextTick, double intervalMs) const;

    bool Scrolling() const { return scrolling_; }
    const std::string& Text1Shown() const { return text1Shown_; }
    const std::string& T2Shown() const { return t2Shown_; }

  private:
    void DrawLine(const std::string& thirteen);
    void DrawFieldChar(int position, int code);
    void SetScrollTimerEnabled(bool enabled);
    void ScrollStep();
    std::string FieldContent(const LocalDateTime& today) const;
    void AnimateRoll(const std::string& from, const std::string& to, double steps);

    const Settings& settings_;
    ClockFace& face_;
    const GlyphMaps& maps_;
    Clock& clock_;
    TimerService& timers_;
    const ClockWindowHost& window_;
    std::function<void()> doEvents_;
    TimerId timerScr_ = 0;

    bool scrolling_ = false;
    std::string text1Shown_;
    double t1Time_ = 0;
    std::string scrollText_;
    std::string afterText_;
    int scrollPos_ = 0;
    double scrollLast_ = 0;
    double scrollDelay_ = 0.125;
    std::string t2Shown_;
    int t2Frame_ = 0;
};

} // namespace diglux
