// Form_KeyDown: the clock's key commands. Without a modifier a key changes a setting,
// switches a mode or starts an announcement (or, in the alarm-time entry, edits the digits
// on the big display); with Shift, Ctrl or Alt alone the few combined commands; two or more
// modifiers do nothing. Nearly every command confirms itself on the text line.
#pragma once

#include "alarm/AlarmTimer.h"
#include "app/ClockState.h"
#include "display/TextDisplay.h"
#include "display/TimeDisplay.h"
#include "host/Clock.h"
#include "host/ClockWindowHost.h"
#include "host/Desktop.h"
#include "speech/SoundPlayer.h"
#include "speech/VoicePlayer.h"

#include <functional>
#include <random>
#include <string>

namespace diglux {

// Windows virtual-key codes the commands use.
enum VirtualKey : int {
    kVkBack = 8,
    kVkReturn = 13,
    kVkEscape = 27,
    kVkSpace = 32,
    kVkLeft = 37,
    kVkUp = 38,
    kVkRight = 39,
    kVkDown = 40,
    kVkF1 = 112,
};
enum ShiftMask : int { kShift = 1, kCtrl = 2, kAlt = 4 };

struct CommandParts {
    ClockState& state;
    TextDisplay& text;
    TimeDisplay& time;
    AlarmTimer& alarm;
    SoundPlayer& sound;
    VoicePlayer& voice;
    ClockWindowHost& window;
    Desktop& desktop;
    const Clock& clock;
    std::mt19937& random;
    std::function<void()> doEvents;
    // The German sentences in display form (whole words, no pauses) for a time and a date.
    std::function<std::string(const LocalDateTime&, bool withSeconds)> timeSentence;
    std::function<std::string(const LocalDateTime&, bool withWeekday)> dateSentence;
    std::function<void(UnloadReason)> close;
    // The settings dialog; empty while the program has none.
    std::function<void()> openSettingsDialog;
    std::function<bool()> settingsDialogVisible;
    std::function<void()> reloadDialogColors;
};

class KeyCommands {
  public:
    explicit KeyCommands(CommandParts parts);
    void Form_KeyDown(int keyCode, int shift);

  private:
    void PlainKey(int key);
    void ColorKey(int key);
    void CtrlKey(int key);
    void ShiftKey(int key);
    void AltKey(int key);
    void AlarmEntryKey(int key);
    void SayTimeCommand(bool withSeconds);
    void SayDateCommand();
    void SayDateTimeCommand(bool withSeconds);
    void ScrollSentence(const std::string& sentence);
    void ComponentStep(std::int16_t& component, int step, const char* label);
    void OffsetCommand(int offset);
    void Message(const std::string& text);
    static std::string OnOff(bool on);

    CommandParts p_;
};

} // namespace diglux
