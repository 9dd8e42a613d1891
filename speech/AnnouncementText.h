// The words of an announcement: the date and time sentences in voice form joined into one
// text, rewritten to clip names, and cut into the words that are played one after the other.
#pragma once

#include <string>
#include <vector>

namespace diglux {

// Five times the alarm tone followed by two pauses.
inline constexpr const char* kAlarmPrefix = "Alarm ~ ~ Alarm ~ ~ Alarm ~ ~ Alarm ~ ~ Alarm ~ ~ ";

// The text to speak from the voice-form sentences (empty when not said): the date, two
// pauses, the time; commas dropped, full stops and fragment joins turned into blanks, umlauts
// and sharp s spelled out; the alarm prefix in front when asked for.
std::string AnnouncementText(const std::string& dateSentence, const std::string& timeSentence,
                             bool alarm);
// The words of the text, each ended by a blank; text after the last blank is not a word.
std::vector<std::string> AnnouncementWords(const std::string& text);

} // namespace diglux
