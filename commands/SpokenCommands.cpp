// The key commands that show a sentence on the text line and speak it: the time (Space,
// Shift+Space), the date (D), and date with time (Ctrl+Space, Alt+Space).
#include "KeyCommands.h"

#include "app/TimeText.h"
#include "speech/Speech.h"
#include "speech/WhenText.h"

namespace diglux {
namespace {

constexpr double kSentenceDelay = 0.065;

} // namespace

void KeyCommands::ScrollSentence(const std::string& sentence) {
    p_.text.ScrollText1(SentenceForLine(sentence), kSentenceDelay, "", false);
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
    request.whenText = FormatShortDate(now);
    request.sayTime = false;
    request.sayDate = true;
    request.withWeekday = true;
    p_.voice.SagZeitX(request);
}

void KeyCommands::SayDateTimeCommand(bool withSeconds) {
    ClockState& s = p_.state;
    const LocalDateTime now = p_.clock.Now();
    s.TickTime = FormatShortDate(now) + " " + FormatTimeOfDay(now);
    SagZeitRequest request;
    request.whenText = s.TickTime;
    request.withSeconds = withSeconds;
    request.sayDate = true;
    request.withWeekday = true;
    p_.voice.SagZeitX(request);
    ScrollSentence(p_.dateSentence(now, true) + "     " + p_.timeSentence(now, withSeconds));
}

} // namespace diglux
