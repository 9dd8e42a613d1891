#include "KeyCommands.h"

#include "commands/Messages.h"
#include "display/Calendar.h"
#include "display/ColorModel.h"

#include <algorithm>

namespace diglux {
namespace {

constexpr Key F(int n) {
    return FunctionKey(n);
}

} // namespace

KeyCommands::KeyCommands(CommandParts parts) : p_(std::move(parts)) {}

std::string KeyCommands::OnOff(bool on) {
    return on ? "EIN" : "AUS";
}

void KeyCommands::Message(const std::string& text) {
    p_.text.ShowText1(text, true);
}

void KeyCommands::Form_KeyDown(Key key, int shift) {
    switch (shift) {
    case 0:
        if (p_.state.AlarmEntryMode) {
            AlarmEntryKey(key);
        } else {
            PlainKey(key);
        }
        break;
    case kShift:
        ShiftKey(key);
        break;
    case kCtrl:
        CtrlKey(key);
        break;
    case kAlt:
        AltKey(key);
        break;
    default:
        break; // two or more modifiers do nothing
    }
}

void KeyCommands::PlainKey(Key key) {
    ClockState& s = p_.state;
    switch (key) {
    case Key::Escape:
        if (s.AlarmRinging) {
            p_.alarm.AlarmStop();
            Message("ALARM STOP");
        } else {
            p_.close(UnloadReason::ProgramClose);
        }
        return;
    case Key::Space:
    case Key::Return:
        if (s.AlarmRinging) {
            p_.alarm.AlarmStop();
            Message("ALARM STOP");
        } else if (key == Key::Space && !(p_.settingsDialogVisible && p_.settingsDialogVisible())) {
            SayTimeCommand(false);
        }
        return;
    case F(1):
        if (p_.openSettingsDialog) {
            p_.openSettingsDialog();
        }
        Message("EINSTELLUNGEN");
        return;
    case F(2):
        s.Blink = !s.Blink;
        s.DisplayValid = false;
        p_.time.DrawTime();
        Message("BLINK: " + OnOff(s.Blink));
        return;
    case F(4):
        s.Dock = s.Dock == 0 ? 5 : 0;
        Message(std::string("MAGNET: ") + OnOff(s.Dock >= 1));
        return;
    case F(9):
        s.Alarm_Enabled = s.BellState == 0;
        p_.time.DrawTime();
        p_.doEvents();
        Message("ALARM: " + (s.Alarm_Enabled ? s.Alarm_Time : std::string("AUS")));
        p_.alarm.TimerAlarm_Timer();
        p_.alarm.AlarmStop();
        return;
    case F(10):
        s.EntryPos = 0;
        s.AlarmEntryMode = true;
        s.AlarmTimeBackup = s.Alarm_Time;
        s.DisplayValid = false;
        p_.time.DrawTime();
        Message("ALARM EINGABE");
        return;
    case F(12):
        s.ISerifOff = !s.ISerifOff;
        s.DisplayValid = false;
        p_.time.DrawTime();
        Message("I-SERIFE: " + OnOff(!s.ISerifOff));
        return;
    case Key::C: {
        std::string charset = "ZEICHENSATZ ... ";
        for (int code = 32; code <= 127; ++code) {
            charset += static_cast<char>(code);
        }
        p_.text.ScrollText1(charset, 0.25, "", false);
        return;
    }
    case Key::D:
        SayDateCommand();
        return;
    case Key::I:
        ShowStartMsg(p_.text, s);
        return;
    case Key::K:
    case Key::W:
        Message("WOCHE: " +
                std::to_string(IsoWeek(s.TickNow.year, s.TickNow.month, s.TickNow.day)));
        return;
    case Key::T:
        ShowHelpMsg(p_.text);
        return;
    case Key::S:
        s.Signal = !s.Signal;
        p_.time.DrawTime();
        Message("SIGNAL: " + OnOff(s.Signal));
        if (s.Signal) {
            p_.sound.PlayRes(s.SoundResType, "PIEP");
        }
        return;
    case Key::Z:
        s.SagZeit = !s.SagZeit;
        p_.time.DrawTime();
        Message("ANSAGE: " + OnOff(s.SagZeit));
        return;
    default:
        ColorKey(key);
    }
}

void KeyCommands::ColorKey(Key key) {
    static constexpr std::array<std::pair<Key, ColorPreset>, 5> kPresets{{
        {F(5), kWhitePreset},
        {F(6), kRedPreset},
        {F(7), kGreenPreset},
        {F(8), kBluePreset},
        {F(11), kVfdPreset},
    }};
    for (const auto& [presetKey, preset] : kPresets) {
        if (key == presetKey) {
            ApplyColor(p_.state, preset.r, preset.g, preset.b);
            p_.time.DrawTime();
            Message(preset.message);
            return;
        }
    }
}

void KeyCommands::CtrlKey(Key key) {
    ClockState& s = p_.state;
    switch (key) {
    case Key::Space:
        SayDateTimeCommand(false);
        return;
    case Key::R:
        p_.window.Move(32 * s.TwipsPerPixelX, 32 * s.TwipsPerPixelY);
        return;
    case F(1):
        ComponentStep(s.Color_R, -s.ColorStep, "- ROT:    ");
        if (p_.reloadDialogColors) {
            p_.reloadDialogColors();
        }
        return;
    case F(2):
        ComponentStep(s.Color_R, s.ColorStep, "+ ROT:    ");
        return;
    case F(3):
        ComponentStep(s.Color_G, -s.ColorStep, "- GRUEN:  ");
        return;
    case F(4):
        ComponentStep(s.Color_G, s.ColorStep, "+ GRUEN:  ");
        return;
    case F(5):
        ComponentStep(s.Color_B, -s.ColorStep, "- BLAU:   ");
        return;
    case F(6):
        ComponentStep(s.Color_B, s.ColorStep, "+ BLAU:   ");
        return;
    case F(7):
        OffsetCommand(std::max(s.Color_Offset - s.ColorStep, -255));
        return;
    case F(8):
        OffsetCommand(std::min(s.Color_Offset + s.ColorStep, 255));
        return;
    case F(9):
        OffsetCommand(0);
        return;
    case F(10):
        ApplyRandomColor(s, p_.random);
        p_.time.DrawTime();
        Message("FARBE: ZUFALL");
        return;
    default:
        return;
    }
}

void KeyCommands::ComponentStep(std::int16_t& component, int step, const char* label) {
    ClockState& s = p_.state;
    AddHell(s);
    component = static_cast<std::int16_t>(std::clamp(component + step, 0, 255));
    s.ColorDirty = true;
    s.DisplayValid = false;
    p_.time.DrawTime();
    Message(label + ThreeDigits(component));
}

void KeyCommands::OffsetCommand(int offset) {
    ClockState& s = p_.state;
    s.Color_Offset = static_cast<std::int16_t>(offset);
    s.ColorDirty = true;
    s.DisplayValid = false;
    p_.time.DrawTime();
    Message("HELLIG.: " + FormatOffset(s.Color_Offset));
}

void KeyCommands::ShiftKey(Key key) {
    if (key == Key::Space) {
        SayTimeCommand(true);
    }
}

void KeyCommands::AltKey(Key key) {
    if (key == Key::Space) {
        SayDateTimeCommand(true);
    } else if (key == F(4)) {
        p_.close(UnloadReason::UserClose);
    }
}

} // namespace diglux
