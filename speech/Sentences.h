// German sentences for a time of day and a calendar date, in two forms: whole words for the
// text display, or fragments with "-" and "~" pause words for the voice player.
#pragma once

#include "host/HostTypes.h"

#include <string>

namespace diglux {

// How a sentence is written. The text line shows whole words ("einundzwanzig"); the voice
// player wants the recorded fragments joined by "-" ("ein-un-zwan-zig"), the pause word "~"
// where a breath belongs, and "un" where the fragment clip is "un".
struct SentenceForm {
    bool keepHyphens = false;
    bool pauses = false;
    bool keepUn = false;
};
inline constexpr SentenceForm kTextForm{};
inline constexpr SentenceForm kVoiceForm{true, true, true};

struct TimeSentence {
    bool withSeconds = false;
    SentenceForm form = kTextForm;
};
struct DateSentence {
    bool withWeekday = false;
    SentenceForm form = kTextForm;
};

// "Es ist ein Uhr eins." for the time of day of when.
std::string ZeitInWorten(const LocalDateTime& when, TimeSentence options = {});
// "Heute ist Dienstag, der erste März zweitausendzweiundzwanzig." for the date of when.
std::string DatumInWorten(const LocalDateTime& when, DateSentence options = {});

} // namespace diglux
