#include "Alarm.h"

#include "model/TimeText.h"
#include "window/WindowStyle.h"

namespace diglux {
namespace {

constexpr int kAlarmLengthSeconds = 300;

} // namespace

Alarm::Alarm(const AlarmParts& parts) : p_(parts) {}

void Alarm::SetRinging(bool ringing) {
    ringing_ = ringing;
    p_.time.SetAlarmRinging(ringing);
}

void Alarm::AlarmTest(const LocalDateTime& tickNow, bool alarmEntryMode) {
    if (!p_.settings.Alarm_Enabled || alarmEntryMode) {
        return;
    }
    const auto alarm = ParseTimeOfDay(p_.settings.Alarm_Time);
    if (!alarm) {
        return; // an alarm time that is no time of day never rings
    }
    const int d = SecondsOfDay(tickNow) - *alarm;
    if (d >= 0 && d <= kAlarmLengthSeconds) {
        if (d < 1) {
            trigger_ = true;
        }
        if (trigger_) {
            trigger_ = false;
            if (!ringing_) {
                StartRinging();
            }
        }
    } else if (ringing_) {
        SetRinging(false);
        p_.mixer.SetVolOld();
        p_.sound.StopSound();
        OnTop(p_.window, Topmost::Leave);
    }
}

void Alarm::StartRinging() {
    p_.mixer.SetVolNew();
    SetRinging(true);
    if (p_.environment.FileLength(p_.alarmWavPath) < 1) {
        p_.environment.ResToFile(kSoundResType, "ALARM", p_.alarmWavPath);
    }
    OnTop(p_.window, Topmost::JoinAndActivate);
}

void Alarm::NewSecond(const LocalDateTime& now) {
    if (ringing_ && p_.settings.Alarm_SagZeit && now.second % 10 == 0) {
        speakDue_ = true;
    }
}

void Alarm::TimerAlarm_Timer(bool alarmEntryMode) {
    TimeDisplay& time = p_.time;
    if (alarmEntryMode) {
        time.SetBellState(time.BellState() == 0 ? 1 : 0);
        time.Invalidate();
        time.DrawTime();
    } else if (!p_.settings.Alarm_Enabled) {
        time.SetBellState(0);
    } else if (ringing_) {
        RingingPhase();
    } else {
        time.SetBellState(1);
    }
}

long Alarm::IdleTicksAhead(bool alarmEntryMode) const {
    const bool bellMirrorsSetting = p_.time.BellState() == (p_.settings.Alarm_Enabled ? 1 : 0);
    return alarmEntryMode || ringing_ || !bellMirrorsSetting ? 0 : kIdleForever;
}

void Alarm::RingingPhase() {
    const int bell = p_.time.BellState() == 0 ? 1 : 0;
    p_.time.ShowBell(bell);
    p_.text.ShowText1(bell == 1 ? ">>> ALARM <<<" : ">>> " + p_.settings.Alarm_Time + " <<<",
                      Force::Yes);
    if (bell == 1) {
        p_.mixer.SetVolNew();
        if (!p_.settings.Alarm_SagZeit) {
            p_.sound.PlayFile(p_.alarmWavPath, {.noWait = true});
        } else if (speakDue_) {
            speakDue_ = false;
            p_.voice.Ansage({.time = p_.clock.Now(), .alarm = true});
        }
        OnTop(p_.window, Topmost::JoinAndActivate);
    } else {
        p_.sound.StopSound();
        OnTop(p_.window, Topmost::Leave);
    }
}

void Alarm::AlarmStop() {
    if (!ringing_) {
        return;
    }
    SetRinging(false);
    speakDue_ = false;
    p_.sound.StopSound();
    p_.sound.PlayRes(kVoiceResType, "~"); // a quarter second of quiet
    OnTop(p_.window, Topmost::Leave);
    p_.mixer.SetVolOld();
}

} // namespace diglux
