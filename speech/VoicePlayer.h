// Speaks times and dates: builds the sentence in voice form, loads the clip of every word from
// the program's resources, joins them into one WAVE image and plays it in one go, so that
// there is no gap between the words. Every failure beeps and returns false.
//
// The file branch (older systems, or a FileName) writes through the host's FileSystem;
// without one that branch fails with the beep.
#pragma once

#include "app/ClockState.h"
#include "host/Clock.h"
#include "host/Desktop.h"
#include "host/FileSystem.h"
#include "host/Resources.h"
#include "platform/Environment.h"
#include "speech/SoundPlayer.h"
#include "speech/Speech.h"

#include <string>
#include <variant>

namespace diglux {

// What Ansage is asked to say for the time or the date, as its callers hand it over: nothing,
// a number (1 means now, any other says nothing), a date and time, or a text to be read.
using AnsageWhen = std::variant<std::monostate, int, LocalDateTime, std::string>;

class VoicePlayer {
  public:
    VoicePlayer(SoundPlayer& player, const Resources& resources, Desktop& desktop,
                const Clock& clock, const ClockState& state, const Environment& environment,
                FileSystem* files = nullptr);

    // Says the time and/or the date (the date first), with the alarm tones in front when
    // asked; plays the image (waiting when wait is set) or, with a file name, writes it there.
    bool Ansage(const AnsageWhen& zeit, const AnsageWhen& datum, bool withSeconds,
                const std::string& fileName, bool wait, bool withWeekday, bool alarm);
    // The clock window's entry: says what the request's text holds.
    bool SagZeitX(const SagZeitRequest& request);

  private:
    // Empty optional: say nothing; false: the value cannot be read.
    bool Resolve(const AnsageWhen& when, std::optional<LocalDateTime>& value) const;
    bool Fail();

    SoundPlayer& player_;
    const Resources& resources_;
    Desktop& desktop_;
    const Clock& clock_;
    const ClockState& state_;
    const Environment& environment_;
    FileSystem* files_;
};

} // namespace diglux
