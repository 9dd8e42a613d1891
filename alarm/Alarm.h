// The daily alarm: when it starts and ends (asked by the main tick on its redraw ticks), the
// alarm tick (TimerAlarm, every 500 ms) and AlarmStop. While the alarm rings the tick
// alternates a bright phase (bell lit, banner, tone or spoken time, window raised) and a dark
// phase (bell dark, the alarm time, silence, window released); during the alarm-time entry it
// blinks the digit being typed instead.
#pragma once

#include "display/TextDisplay.h"
#include "display/TimeDisplay.h"
#include "host/Clock.h"
#include "host/ClockWindowHost.h"
#include "model/Settings.h"
#include "platform/Environment.h"
#include "speech/SndMixer.h"
#include "speech/SoundPlayer.h"
#include "speech/VoicePlayer.h"

#include <string>

namespace diglux {

struct AlarmParts {
    const Settings& settings;
    TextDisplay& text;
    TimeDisplay& time;
    SoundPlayer& sound;
    SndMixer& mixer;
    VoicePlayer& voice;
    ClockWindowHost& window;
    const Clock& clock;
    Environment& environment;
    const std::string& alarmWavPath; // the alarm tone's file, written when ringing starts
};

class Alarm {
  public:
    explicit Alarm(const AlarmParts& parts);

    // The main tick's alarm test for the second it has seen: starts ringing in the alarm
    // second itself and ends it 300 s later; nothing while the alarm time is being typed.
    void AlarmTest(const LocalDateTime& tickNow, bool alarmEntryMode);
    // A new second has begun: while ringing with the spoken alarm, every tenth second is due
    // to be spoken at the next bright phase.
    void NewSecond(const LocalDateTime& now);
    void TimerAlarm_Timer(bool alarmEntryMode);
    // Whether TimerAlarm_Timer has nothing to do until something changes: no entry, no
    // ringing, and the bell already mirrors Alarm.Enabled (0 ticks, or kIdleForever).
    long IdleTicksAhead(bool alarmEntryMode) const;
    // Silences a ringing alarm; it stays armed for the next day.
    void AlarmStop();

    bool AlarmRinging() const { return ringing_; }
    bool AlarmSpeakDue() const { return speakDue_; }

  private:
    void StartRinging();
    void SetRinging(bool ringing);
    void RingingPhase();

    AlarmParts p_;
    bool ringing_ = false;
    bool trigger_ = false;
    bool speakDue_ = false;
};

} // namespace diglux
