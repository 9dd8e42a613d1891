// The alarm tick (TimerAlarm, every 500 ms) and AlarmStop. While the alarm rings the tick
// alternates a bright phase (bell lit, banner, tone or spoken time, window raised) and a dark
// phase (bell dark, the alarm time, silence, window released); during the alarm-time entry it
// blinks the digit being typed. The main tick decides when ringing starts and ends.
#pragma once

#include "app/ClockState.h"
#include "display/ClockFace.h"
#include "display/GlyphMaps.h"
#include "display/TextDisplay.h"
#include "display/TimeDisplay.h"
#include "host/Clock.h"
#include "host/ClockWindowHost.h"
#include "speech/SndMixer.h"
#include "speech/SoundPlayer.h"
#include "speech/VoicePlayer.h"

namespace diglux {

struct AlarmParts {
    ClockState& state;
    ClockFace& face;
    const GlyphMaps& maps;
    TextDisplay& text;
    TimeDisplay& time;
    SoundPlayer& sound;
    SndMixer& mixer;
    VoicePlayer& voice;
    ClockWindowHost& window;
    const Clock& clock;
};

class AlarmTimer {
  public:
    explicit AlarmTimer(const AlarmParts& parts);
    void TimerAlarm_Timer();
    // Silences a ringing alarm; the alarm stays armed for the next day.
    void AlarmStop();

  private:
    void RingingPhase();

    AlarmParts p_;
};

} // namespace diglux
