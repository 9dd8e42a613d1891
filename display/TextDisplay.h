// The two sixteen-segment text displays: the 13-character line (weekday, messages, scrolling
// texts) and the 7-character field (calendar week or alarm time, rolled like a counter).
//
// Not yet drawn: the operations accept every call the rest of the clock makes and keep the
// line's and field's contents unchanged; the drawing and scrolling arrive with the text
// display work (see DESIGN-NOTES.md, "Pending calls").
#pragma once

#include <string>

namespace diglux {

class TextDisplay {
  public:
    void ShowText1(const std::string& text, bool force);
    void ScrollText1(const std::string& text, double delay, const std::string& afterText,
                     bool tick);
    void DrawText2(bool initX = false, double steps = 0);
    void RollText2(const std::string& text, bool rightAlign, bool initX, double steps);
    // The 5 ms scroll timer's handler.
    void TimerScr_Timer();
};

} // namespace diglux
