#include "TextDisplay.h"

namespace diglux {

// Pending: these calls keep their place in the clock's sequences; the text display fills them.
void TextDisplay::ShowText1(const std::string&, bool) {}
void TextDisplay::ScrollText1(const std::string&, double, const std::string&, bool) {}
void TextDisplay::DrawText2(bool, double) {}
void TextDisplay::RollText2(const std::string&, bool, bool, double) {}
void TextDisplay::TimerScr_Timer() {}

} // namespace diglux
