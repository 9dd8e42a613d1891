// Speaks times and dates: builds the sentence in voice form, loads the clip of every word from
// the program's resources, joins them into one WAVE image and plays it in one go, so that
// there is no gap between the words. Every failure beeps and returns false.
//
// The file branch (older systems) writes through the host's FileSystem; without one that
// branch fails with the beep.
#pragma once

#include "host/Desktop.h"
#include "host/FileSystem.h"
#include "host/HostTypes.h"
#include "host/Resources.h"
#include "platform/Environment.h"
#include "speech/SoundPlayer.h"

#include <optional>
#include <string>

namespace diglux {

// What to say: the date first, then the time, each only when given; with alarm, five alarm
// tones in front (which is something to say even without a time or a date).
struct Announcement {
    std::optional<LocalDateTime> time{};
    std::optional<LocalDateTime> date{};
    bool withSeconds = false;
    bool withWeekday = false;
    bool alarm = false;
};

class VoicePlayer {
  public:
    // sagZeitWavPath is the announcement file of older systems, read when it is used.
    VoicePlayer(SoundPlayer& player, const Resources& resources, Desktop& desktop,
                const Environment& environment, FileSystem* files,
                const std::string& sagZeitWavPath);

    // Plays the announcement without waiting for its end or, with a file name, writes the
    // joined image there instead.
    bool Ansage(const Announcement& what, const std::string& fileName = "");
    // The clock's entry: plays from memory, or on older systems through the announcement file.
    bool SagZeitX(const Announcement& what);

  private:
    bool Fail();

    SoundPlayer& player_;
    const Resources& resources_;
    Desktop& desktop_;
    const Environment& environment_;
    FileSystem* files_;
    const std::string& sagZeitWavPath_;
};

} // namespace diglux
