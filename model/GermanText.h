// German text helpers for the LED text displays, whose glyphs know no umlauts.
#pragma once

#include <string>

namespace diglux {

// Spells out umlauts and sharp s: Ä Ö Ü ä ö ü ß become Ae Oe Ue ae oe ue ss (UTF-8 in and out).
std::string ReplUmlaut(const std::string& text);
// A sentence as it scrolls on the text line: umlauts spelled out, upper case, five blanks after.
std::string SentenceForLine(const std::string& sentence);

} // namespace diglux
