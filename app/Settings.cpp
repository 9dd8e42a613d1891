#include "Settings.h"

#include "display/Orientation.h"

namespace diglux {

Settings::Settings(ClockState& state, SettingsStore& store, ClockWindowHost& window,
                   const Desktop& desktop, const Environment& environment, TextDisplay& text,
                   std::function<void()> doEvents, std::function<void()> setAutoStart)
    : state_(state), store_(store), window_(window), desktop_(desktop), environment_(environment),
      text_(text), doEvents_(std::move(doEvents)), setAutoStart_(std::move(setAutoStart)) {}

std::string Settings::Get(const std::string& name, const std::string& defaultValue) {
    return store_.GetSettingText(name, defaultValue);
}

void Settings::Save(const std::string& name, const std::string& value) {
    store_.SaveSettingValue(name, value);
}

// Only "0" switches a flag off: an empty text or any word keeps it on.
bool Settings::GetFlag(const std::string& name, const std::string& defaultValue) {
    return Get(name, defaultValue) != "0";
}

double Settings::GetNumber(const std::string& name, const std::string& defaultValue) {
    return LeadingNumber(Get(name, defaultValue));
}

void Settings::LoadAutoStart() {
    const double value = GetNumber("AutoStart", "2");
    state_.AutoStartAlways = value == 1.0;
    state_.AutoStartAuto = value == 2.0;
}

void Settings::Load() {
    ClockState& s = state_;
    s.Blink = GetFlag("Blink", "0");
    s.Alarm_Enabled = GetFlag("Alarm.Enabled", "0");
    s.Alarm_Time = Get("Alarm.Time", "00:00");
    s.Alarm_SagZeit = GetNumber("Alarm.SagZeit", "1") != 0.0;
    s.Signal = GetFlag("Signal", "1");
    s.NoSignalMark = !s.Signal;
    s.Dock = ToInt16(GetNumber("Dock", "0"));
    s.ShowInTask = GetFlag("ShowInTask", "0");
    s.ISerifOff = Get("Serife.I", "1") != "1";
    s.SagZeit = GetFlag("SagZeit", "0");
    s.NoSagZeitMark = !s.SagZeit;
    s.SagZeit_Start = ToInt16(GetNumber("SagZeit.Start", "10"));
    s.SagZeit_Ende = ToInt16(GetNumber("SagZeit.Ende", "22"));
    LoadAutoStart();
    if (setAutoStart_) {
        setAutoStart_();
    }
    s.Volume_Set = GetFlag("Volume.Set", "0");
    s.Volume_Master = ToInt32(GetNumber("Volume.Master", "50"));
    // Older systems had a louder wave line, so the announcement used half of it.
    const char* waveDefault = environment_.WinVersion() < 6.0f ? "50" : "100";
    s.Volume_Wave = ToInt32(GetNumber("Volume.Wave", waveDefault));
    s.Text_2 = ToInt16(GetNumber("Text.2", "1"));
    s.ColorStep = 8;
    s.Color_R = ToInt16(GetNumber("Color.R", "95"));
    s.Color_G = ToInt16(GetNumber("Color.G", "255"));
    s.Color_B = ToInt16(GetNumber("Color.B", "47"));
    s.Color_Offset = ToInt16(GetNumber("Color.Offset", "0"));
    s.ColorDirty = true;
}

void Settings::SaveFlag(const std::string& name, bool value) {
    Save(name, value ? "1" : "0");
}

void Settings::SaveNumber(const std::string& name, long value) {
    Save(name, std::to_string(value));
}

void Settings::SetSave() {
    const ClockState& s = state_;
    SaveOrientation();
    SaveFlag("Blink", s.Blink);
    SaveFlag("Alarm.Enabled", s.Alarm_Enabled);
    Save("Alarm.Time", s.Alarm_Time);
    SaveFlag("Alarm.SagZeit", s.Alarm_SagZeit);
    SaveFlag("Signal", s.Signal);
    SaveFlag("Serife.I", !s.ISerifOff);
    SaveNumber("Dock", s.Dock);
    SaveNumber("Color.R", s.Color_R);
    SaveNumber("Color.G", s.Color_G);
    SaveNumber("Color.B", s.Color_B);
    SaveNumber("Color.Offset", s.Color_Offset);
    SaveFlag("Volume.Set", s.Volume_Set);
    SaveNumber("Volume.Master", s.Volume_Master);
    SaveNumber("Volume.Wave", s.Volume_Wave);
    SaveFlag("ShowInTask", s.ShowInTask);
    SaveFlag("SagZeit", s.SagZeit);
    SaveNumber("SagZeit.Start", s.SagZeit_Start);
    SaveNumber("SagZeit.Ende", s.SagZeit_Ende);
    SaveNumber("Text.2", s.Text_2);
    Save("AutoStart", s.AutoStartAlways ? "1" : (s.AutoStartAuto ? "2" : "0"));
}

void Settings::LoadOrientation() {
    const bool portrait = Orientation(desktop_) != 0;
    const double top = GetNumber(portrait ? "Window.Top.P" : "Window.Top", "32");
    const double left = GetNumber(portrait ? "Window.Left.P" : "Window.Left", "32");
    window_.Move(left * state_.TwipsPerPixelX, top * state_.TwipsPerPixelY);
}

void Settings::SaveOrientation() {
    // The host reports the window in pixels, which is what is stored.
    const Rect rect = window_.ScreenRect();
    const bool portrait = Orientation(desktop_) != 0;
    SaveNumber(portrait ? "Window.Top.P" : "Window.Top", rect.top);
    SaveNumber(portrait ? "Window.Left.P" : "Window.Left", rect.left);
}

void Settings::ChkLoadSave() {
    ClockState& s = state_;
    if (s.SaveCountdown >= 1) {
        // A pending save wins: the load waits, and is dropped when the save happens.
        if (--s.SaveCountdown == 0) {
            s.LoadCountdown = 0;
            SaveOrientation();
        }
        return;
    }
    if (s.LoadCountdown < 1) {
        return;
    }
    --s.LoadCountdown;
    s.SaveCountdown = 0;
    text_.ShowText1(Orientation(desktop_) == 0 ? "SET LANDSCAPE" : "SET PORTRAIT", true);
    if (s.LoadCountdown == 0) {
        LoadOrientation();
    }
    if (doEvents_) {
        doEvents_();
    }
}

} // namespace diglux
