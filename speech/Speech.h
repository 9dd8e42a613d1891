// German sentences for times and the voice player that speaks them from the word clips.
//
// ReplUmlaut is complete. ZeitInWorten and SagZeitX are not yet written: they return an empty
// sentence and false (nothing spoken) until the speech work lands (see DESIGN-NOTES.md,
// "Pending calls").
#pragma once

#include <string>

namespace diglux {

// Spells out umlauts and sharp s: Ä Ö Ü ä ö ü ß become Ae Oe Ue ae oe ue ss (UTF-8 in and out).
std::string ReplUmlaut(const std::string& text);

// The time of day "HH:MM[:SS]" as a German sentence.
std::string ZeitInWorten(const std::string& timeText, bool withSeconds, bool keepHyphens,
                         bool pauses, bool keepUn);

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
