// Form_KeyDown: the clock's key commands. Without a modifier a key changes a setting,
// switches a mode or starts an announcement (or, in the alarm-time entry, edits the digits
// on the big display); with Shift, Ctrl or Alt alone the few combined commands; two or more
// modifiers do nothing. Nearly every command confirms itself on the text line.
#pragma once

#include "alarm/Alarm.h"
#include "commands/AlarmEntry.h"
#include "display/TextDisplay.h"
#include "display/TimeDisplay.h"
#include "host/Clock.h"
#include "host/ClockWindowHost.h"
#include "host/Desktop.h"
#include "host/Keys.h"
#include "model/Settings.h"
#include "speech/SoundPlayer.h"
#include "speech/VoicePlayer.h"

#include <functional>
#include <random>
#include <string>

namespace diglux {

struct CommandParts {
    Settings& settings;
    TextDisplay& text;
    TimeDisplay& time;
    Alarm& alarm;
    AlarmEntry& entry;
    SoundPlayer& sound;
    VoicePlayer& voice;
    ClockWindowHost& window;
    Desktop& desktop;
    const Clock& clock;
    const LocalDateTime& tickNow;   // the second the main tick saw last
    const std::string& versionText; // for the welcome text
    std::function<void()> doEvents;
    std::function<void(UnloadReason)> close;
    // The settings dialog; empty while the program has none.
    std::function<void()> openSettingsDialog{};
    std::function<bool()> settingsDialogVisible{};
    std::function<void()> reloadDialogColors{};
};

class KeyCommands {
  public:
    explicit KeyCommands(CommandParts parts);
    void Form_KeyDown(Key key, int shift);

    // Seeds the random colour's generator (from the date and time at start-up).
    void SeedRandom(const LocalDateTime& now);

  private:
    void PlainKey(Key key);
    void LetterKey(Key key);
    void ColorKey(Key key);
    void CtrlKey(Key key);
    void ShiftKey(Key key);
    void AltKey(Key key);
    void SayTimeCommand(bool withSeconds);
    void SayDateCommand();
    void SayDateTimeCommand(bool withSeconds);
    void ScrollSentence(const std::string& sentence);
    void ComponentStep(std::int16_t& component, int step, const char* label);
    void OffsetCommand(int offset);
    void Recolor(const std::string& message);
    void Message(const std::string& text);

    CommandParts p_;
    std::mt19937 random_;
};

} // namespace diglux
