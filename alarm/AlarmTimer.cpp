#include "AlarmTimer.h"

#include "window/WindowStyle.h"

namespace diglux {

AlarmTimer::AlarmTimer(const AlarmParts& parts) : p_(parts) {}

void AlarmTimer::TimerAlarm_Timer() {
    ClockState& s = p_.state;
    if (s.AlarmEntryMode) {
        s.BellState = s.BellState == 0 ? 1 : 0;
        s.DisplayValid = false;
        p_.time.DrawTime();
    } else if (!s.Alarm_Enabled) {
        s.BellState = 0;
    } else if (s.AlarmRinging) {
        RingingPhase();
    } else {
        s.BellState = 1;
    }
}

void AlarmTimer::RingingPhase() {
    ClockState& s = p_.state;
    s.BellState = s.BellState == 0 ? 1 : 0;
    p_.maps.Draw(MapId::PicMapOpt, p_.face.PicMisc(), 0, 0, s.BellState + 1);
    p_.text.ShowText1(s.BellState == 1 ? ">>> ALARM <<<" : ">>> " + s.Alarm_Time + " <<<", true);
    if (s.BellState == 1) {
        p_.mixer.SetVolNew();
        if (!s.Alarm_SagZeit) {
            p_.sound.PlayFile(s.AlarmWavPath, {.noWait = true});
        } else if (s.AlarmSpeakDue) {
            s.AlarmSpeakDue = false;
            // The current time (1), no date, no seconds, played at once, after the alarm tones.
            p_.voice.Ansage(1, std::monostate{}, false, "", false, false, true);
        }
        OnTop(p_.window, true, true);
    } else {
        p_.sound.StopSound();
        OnTop(p_.window, false, false);
    }
}

void AlarmTimer::AlarmStop() {
    ClockState& s = p_.state;
    if (!s.AlarmRinging) {
        return;
    }
    s.AlarmRinging = false;
    s.AlarmSpeakDue = false;
    p_.sound.StopSound();
    p_.sound.PlayRes(s.VoiceResType, "~"); // a quarter second of quiet
    OnTop(p_.window, false, false);
    p_.mixer.SetVolOld();
}

} // namespace diglux
