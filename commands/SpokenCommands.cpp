// The key commands that show a sentence on the text line and speak it: the time (Space,
// Shift+Space), the date (D), and date with time (Ctrl+Space, Alt+Space).
#include "KeyCommands.h"

#include "app/TimeText.h"
#include "speech/Speech.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace diglux {
namespace {

constexpr double kSentenceDelay = 0.065;

// Today's date as the short date text, "01.03.2024".
std::string ShortDate(const LocalDateTime& when) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", when.day % 100, when.month % 100,
                  when.year % 10000);
    return text;
}

} // namespace

void KeyCommands::ScrollSentence(const std::string& sentence) {
    std::string text = ReplUmlaut(sentence);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    p_.text.ScrollText1(text + "     ", kSentenceDelay, "", false);
}

void KeyCommands::SayTimeCommand(bool withSeconds) {
    ClockState& s = p_.state;
    const LocalDateTime now = p_.clock.Now();
    SagZeitRequest request;
    request.withSeconds = withSeconds;
    if (!withSeconds) {
        s.TickTime = FormatTimeOfDay(now);
        ScrollSentence(p_.timeSentence(now, false));
        request.whenText = s.TickTime;
        p_.voice.SagZeitX(request);
    } else {
        request.whenText = s.TickTime;
        p_.voice.SagZeitX(request);
        ScrollSentence(p_.timeSentence(now, true));
    }
}

void KeyCommands::SayDateCommand() {
    const LocalDateTime now = p_.clock.Now();
    ScrollSentence(p_.dateSentence(now, true));
    SagZeitRequest request;
    request.whenText = ShortDate(now);
    request.sayTime = false;
    request.sayDate = true;
    request.withWeekday = true;
    p_.voice.SagZeitX(request);
}

void KeyCommands::SayDateTimeCommand(bool withSeconds) {
    ClockState& s = p_.state;
    const LocalDateTime now = p_.clock.Now();
    s.TickTime = ShortDate(now) + " " + FormatTimeOfDay(now);
    SagZeitRequest request;
    request.whenText = s.TickTime;
    request.withSeconds = withSeconds;
    request.sayDate = true;
    request.withWeekday = true;
    p_.voice.SagZeitX(request);
    ScrollSentence(p_.dateSentence(now, true) + "     " + p_.timeSentence(now, withSeconds));
}

} // namespace diglux
