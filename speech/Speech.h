// What the rest of the clock uses to speak: the German sentences, the umlaut spelling for the
// text display, and the request that the voice player's SagZeitX takes.
#pragma once

#include "speech/Sentences.h"

#include <string>

namespace diglux {

// Spells out umlauts and sharp s: Ä Ö Ü ä ö ü ß become Ae Oe Ue ae oe ue ss (UTF-8 in and out).
std::string ReplUmlaut(const std::string& text);
// A sentence as it scrolls on the text line: umlauts spelled out, upper case, five blanks after.
std::string SentenceForLine(const std::string& sentence);

// What SagZeitX is asked to say. whenText is a time ("21:07:01"), a date ("01.03.2022") or a
// date, a blank and a time.
struct SagZeitRequest {
    std::string whenText;
    bool sayTime = true;
    bool withSeconds = false;
    bool wait = false;
    bool sayDate = false;
    bool withWeekday = false;
    bool alarm = false;
};

} // namespace diglux
