// The key commands that show a sentence on the text line and speak it: the time (Space,
// Shift+Space), the date (D), and date with time (Ctrl+Space, Alt+Space). Each reads the clock
// once, so that what is shown and what is said are the same second.
#include "KeyCommands.h"

#include "model/GermanText.h"
#include "speech/Sentences.h"

namespace diglux {
namespace {

constexpr double kSentenceDelay = 0.065;

} // namespace

void KeyCommands::ScrollSentence(const std::string& sentence) {
    p_.text.ScrollText1(SentenceForLine(sentence), kSentenceDelay);
}

void KeyCommands::SayTimeCommand(bool withSeconds) {
    const LocalDateTime now = p_.clock.Now();
    const Announcement time{.time = now, .withSeconds = withSeconds};
    if (!withSeconds) {
        ScrollSentence(ZeitInWorten(now));
        p_.voice.SagZeitX(time);
    } else {
        p_.voice.SagZeitX(time);
        ScrollSentence(ZeitInWorten(now, {.withSeconds = true}));
    }
}

void KeyCommands::SayDateCommand() {
    const LocalDateTime now = p_.clock.Now();
    ScrollSentence(DatumInWorten(now, {.withWeekday = true}));
    p_.voice.SagZeitX({.date = now, .withWeekday = true});
}

void KeyCommands::SayDateTimeCommand(bool withSeconds) {
    const LocalDateTime now = p_.clock.Now();
    p_.voice.SagZeitX({.time = now, .date = now, .withSeconds = withSeconds, .withWeekday = true});
    ScrollSentence(DatumInWorten(now, {.withWeekday = true}) + "     " +
                   ZeitInWorten(now, {.withSeconds = withSeconds}));
}

} // namespace diglux
