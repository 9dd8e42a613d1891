// The main tick (Timer1, every 100 ms): notices the second change, redraws twice a second with
// the colon phase, hides the close button once the pointer has left, lets the alarm start and
// end, and plays the hourly signal and announcement. It reads the clock once a tick and hands
// that moment down to everything it calls.
#pragma once

#include "alarm/Alarm.h"
#include "commands/AlarmEntry.h"
#include "display/ClockFace.h"
#include "display/TextDisplay.h"
#include "display/TimeDisplay.h"
#include "host/Clock.h"
#include "host/ClockWindowHost.h"
#include "host/Desktop.h"
#include "model/Settings.h"
#include "speech/SndMixer.h"
#include "speech/SoundPlayer.h"
#include "speech/VoicePlayer.h"
#include "window/WindowPlacement.h"

#include <functional>

namespace diglux {

struct TickParts {
    const Settings& settings;
    const Clock& clock;
    ClockFace& face;
    TimeDisplay& time;
    TextDisplay& text;
    Alarm& alarm;
    const AlarmEntry& entry;
    WindowPlacement& placement;
    SoundPlayer& sound;
    SndMixer& mixer;
    VoicePlayer& voice;
    const ClockWindowHost& window;
    const Desktop& desktop;
    std::function<void()> doEvents;
};

class MainTick {
  public:
    explicit MainTick(TickParts parts);

    // The second the start-up drawing showed: the first tick of that second redraws.
    void Start(const LocalDateTime& now) { tickNow_ = now; }
    void Timer1_Timer();
    // How many of the coming ticks would do no more than count themselves: none while the
    // close button shows or the desktop has turned, none up to the tick that can see the
    // next second, and none of the two redraw ticks after it.
    long IdleTicksAhead(double msToNextTick, double intervalMs) const;
    // Ticks left out because they were idle: they count as ticks of this second.
    void CountIdleTicks(long ticks) { ticksInSecond_ += ticks; }
    // The second the tick saw last.
    const LocalDateTime& TickNow() const { return tickNow_; }

  private:
    void OncePerSecond();
    void HourlySignal(const LocalDateTime& now);

    TickParts p_;
    LocalDateTime tickNow_{0, 0, 0, 0, 0, 0};
    int halfSecondTicks_ = 0;
    int lastSecond_ = 0;
    long ticksInSecond_ = 0;
};

} // namespace diglux
