// The main tick (Timer1, every 100 ms): notices the second change, redraws twice a second
// with the colon phase, hides the close button once the pointer has left, starts and ends the
// alarm, and plays the hourly signal and announcement.
#include "app/MainWindow.h"

#include "app/MainWindowParts.h"
#include "app/TimeText.h"
#include "display/Orientation.h"
#include "window/WindowStyle.h"

#include <cmath>

namespace diglux {
namespace {

constexpr int kTimer1IntervalMs = 100;
constexpr int kAlarmLengthSeconds = 300;

} // namespace

void MainWindow::Timer1_Timer() {
    Parts& p = *parts_;
    ClockState& s = p.state;
    const Host& host = p.host;

    s.TickTime = FormatTimeOfDay(host.clock.Now());
    ChkOrientation();
    if (p.halfSecondTicks == 0) {
        p.halfSecondTicks = static_cast<int>(std::nearbyint(1000.0 / kTimer1IntervalMs / 2));
    }

    bool redrawTick = false;
    const LocalDateTime now = host.clock.Now();
    if (now != s.TickNow) {
        s.TickNow = now;
        p.ticksInSecond = 0;
        p.settings.ChkLoadSave();
    } else {
        ++p.ticksInSecond;
        if (p.ticksInSecond == 1 || p.ticksInSecond == p.halfSecondTicks) {
            s.ColonPhase = p.ticksInSecond == 1 ? 1 : 0;
            p.time.DrawTime();
            redrawTick = true;
        }
    }

    if (p.face.PicX().Visible() && !MouseIsOverObject(host.desktop, host.window.ScreenRect())) {
        p.face.PicX().SetVisible(false);
    }
    if (redrawTick) {
        AlarmTest();
        OncePerSecond();
    }
    s.TickTime = FormatTimeOfDay(host.clock.Now());
}

void MainWindow::AlarmTest() {
    Parts& p = *parts_;
    ClockState& s = p.state;
    if (!s.Alarm_Enabled || s.AlarmEntryMode) {
        return;
    }
    const auto alarm = ParseTimeOfDay(s.Alarm_Time);
    if (!alarm) {
        return; // an alarm time that is no time of day never rings
    }
    const int d = SecondsOfDay(s.TickNow) - *alarm;
    if (d >= 0 && d <= kAlarmLengthSeconds) {
        if (d < 1) {
            s.AlarmTrigger = true;
        }
        if (s.AlarmTrigger) {
            s.AlarmTrigger = false;
            if (!s.AlarmRinging) {
                p.mixer.SetVolNew();
                s.AlarmRinging = true;
                if (p.environment.FileLength(s.AlarmWavPath) < 1) {
                    p.environment.ResToFile(s.SoundResType, "ALARM", s.AlarmWavPath);
                }
                OnTop(p.host.window, true, true);
            }
        }
    } else if (s.AlarmRinging) {
        s.AlarmRinging = false;
        p.mixer.SetVolOld();
        p.sound.StopSound();
        OnTop(p.host.window, false, false);
    }
}

void MainWindow::OncePerSecond() {
    Parts& p = *parts_;
    ClockState& s = p.state;
    const LocalDateTime& now = s.TickNow;
    if (now.second == p.lastSecond) {
        return;
    }
    p.lastSecond = now.second;
    if (!s.AlarmRinging) {
        const bool fullHour = now.minute == 0 && now.second == 0;
        if (fullHour && s.SagZeit_Start <= now.hour && now.hour <= s.SagZeit_Ende) {
            HourlySignal();
        } else if (now.minute == 0 && now.second > 4 && s.SagZeit) {
            p.mixer.SetVolOld(); // in case an announcement left the volume raised
        }
    }
    if (s.AlarmRinging && s.Alarm_SagZeit && p.host.clock.Now().second % 10 == 0) {
        s.AlarmSpeakDue = true;
    }
}

void MainWindow::HourlySignal() {
    Parts& p = *parts_;
    ClockState& s = p.state;
    if (s.Signal) {
        p.DoEvents();
        p.mixer.SetVolNew();
        p.sound.PlayRes(s.SoundResType, "PIEP");
        p.DoEvents();
        if (s.SagZeit) {
            for (int i = 0; i < 2; ++i) {
                p.sound.PlayRes(s.VoiceResType, "~");
                p.DoEvents();
            }
        }
        p.mixer.SetVolOld();
    }
    if (s.SagZeit) {
        p.mixer.SetVolNew();
        const std::string sentence = ZeitInWorten(s.TickTime, false, false, false, false);
        p.text.ScrollText1(SentenceForLine(sentence), 0.065, "", false);
        SagZeitRequest request;
        request.whenText = s.TickTime;
        p.voice.SagZeitX(request);
        p.mixer.SetVolOld();
    }
}

// Notices a turned desktop: a click sound, then the countdown that shows the new
// orientation and moves the window to its stored position.
void MainWindow::ChkOrientation() {
    Parts& p = *parts_;
    ClockState& s = p.state;
    const int orientation = Orientation(p.host.desktop);
    if (orientation == s.OrientationIndex) {
        return;
    }
    s.OrientationIndex = orientation;
    if (s.SagZeit || s.Signal) {
        p.sound.PlayRes(s.SoundResType, "PLONG", {.noWait = true});
    }
    p.DoEvents();
    s.LoadCountdown = 2;
}

} // namespace diglux
