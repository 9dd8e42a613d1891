#include "KeyCommands.h"

#include "commands/Messages.h"
#include "display/ColorModel.h"
#include "model/Calendar.h"

#include <algorithm>

namespace diglux {
namespace {

std::string OnOff(bool on) {
    return on ? "EIN" : "AUS";
}

} // namespace

KeyCommands::KeyCommands(CommandParts parts) : p_(std::move(parts)) {}

void KeyCommands::SeedRandom(const LocalDateTime& now) {
    std::seed_seq seed{now.year, now.month, now.day, now.hour, now.minute, now.second};
    random_.seed(seed);
}

void KeyCommands::Message(const std::string& text) {
    p_.text.ShowText1(text, Force::Yes);
}

void KeyCommands::Form_KeyDown(Key key, int shift) {
    switch (shift) {
    case kNoModifier:
        if (p_.entry.AlarmEntryMode()) {
            p_.entry.KeyDown(key);
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
    Settings& s = p_.settings;
    if ((key == Key::Escape || key == Key::Space || key == Key::Return) &&
        p_.alarm.AlarmRinging()) {
        p_.alarm.AlarmStop();
        Message("ALARM STOP");
        return;
    }
    switch (key) {
    case Key::Escape:
        p_.close(UnloadReason::ProgramClose);
        return;
    case Key::Space:
        if (!(p_.settingsDialogVisible && p_.settingsDialogVisible())) {
            SayTimeCommand(false);
        }
        return;
    case Key::F1:
        if (p_.openSettingsDialog) {
            p_.openSettingsDialog();
        }
        Message("EINSTELLUNGEN");
        return;
    case Key::F2:
        s.Blink = !s.Blink;
        p_.time.Invalidate();
        p_.time.DrawTime();
        Message("BLINK: " + OnOff(s.Blink));
        return;
    case Key::F4:
        s.Dock = s.Dock == 0 ? 5 : 0;
        Message("MAGNET: " + OnOff(s.Dock >= 1));
        return;
    case Key::F9:
        // The bell mirrors Alarm.Enabled while the alarm does not ring: this toggles it.
        s.Alarm_Enabled = p_.time.BellState() == 0;
        p_.time.DrawTime();
        p_.doEvents();
        Message("ALARM: " + (s.Alarm_Enabled ? s.Alarm_Time : std::string("AUS")));
        p_.alarm.TimerAlarm_Timer(false);
        p_.alarm.AlarmStop();
        return;
    case Key::F10:
        p_.entry.Begin();
        return;
    case Key::F12:
        s.ISerifOff = !s.ISerifOff;
        p_.time.Invalidate();
        p_.time.DrawTime();
        Message("I-SERIFE: " + OnOff(!s.ISerifOff));
        return;
    default:
        LetterKey(key);
    }
}

void KeyCommands::LetterKey(Key key) {
    Settings& s = p_.settings;
    switch (key) {
    case Key::C: {
        std::string charset = "ZEICHENSATZ ... ";
        for (int code = 32; code <= 127; ++code) {
            charset += static_cast<char>(code);
        }
        p_.text.ScrollText1(charset, 0.25);
        return;
    }
    case Key::D:
        SayDateCommand();
        return;
    case Key::I:
        ShowStartMsg(p_.text, p_.tickNow, p_.versionText, s);
        return;
    case Key::K:
    case Key::W: {
        const LocalDateTime& now = p_.tickNow;
        Message("WOCHE: " + std::to_string(IsoWeek(now.year, now.month, now.day)));
        return;
    }
    case Key::T:
        ShowHelpMsg(p_.text);
        return;
    case Key::S:
        s.Signal = !s.Signal;
        p_.time.DrawTime();
        Message("SIGNAL: " + OnOff(s.Signal));
        if (s.Signal) {
            p_.sound.PlayRes(kSoundResType, "PIEP");
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
        {Key::F5, kWhitePreset},
        {Key::F6, kRedPreset},
        {Key::F7, kGreenPreset},
        {Key::F8, kBluePreset},
        {Key::F11, kVfdPreset},
    }};
    for (const auto& [presetKey, preset] : kPresets) {
        if (key == presetKey) {
            ApplyColor(p_.settings, preset.r, preset.g, preset.b);
            Recolor(preset.message);
            return;
        }
    }
}

// Every colour command repaints in the new colour before it confirms.
void KeyCommands::Recolor(const std::string& message) {
    p_.time.InvalidateColor();
    p_.time.DrawTime();
    Message(message);
}

void KeyCommands::CtrlKey(Key key) {
    Settings& s = p_.settings;
    switch (key) {
    case Key::Space:
        SayDateTimeCommand(false);
        return;
    case Key::R:
        p_.window.Move(32 * p_.desktop.UnitsPerPixelX(), 32 * p_.desktop.UnitsPerPixelY());
        return;
    case Key::F1:
        ComponentStep(s.Color_R, -kColorStep, "- ROT:    ");
        if (p_.reloadDialogColors) {
            p_.reloadDialogColors();
        }
        return;
    case Key::F2:
        ComponentStep(s.Color_R, kColorStep, "+ ROT:    ");
        return;
    case Key::F3:
        ComponentStep(s.Color_G, -kColorStep, "- GRUEN:  ");
        return;
    case Key::F4:
        ComponentStep(s.Color_G, kColorStep, "+ GRUEN:  ");
        return;
    case Key::F5:
        ComponentStep(s.Color_B, -kColorStep, "- BLAU:   ");
        return;
    case Key::F6:
        ComponentStep(s.Color_B, kColorStep, "+ BLAU:   ");
        return;
    case Key::F7:
        OffsetCommand(std::max(s.Color_Offset - kColorStep, -255));
        return;
    case Key::F8:
        OffsetCommand(std::min(s.Color_Offset + kColorStep, 255));
        return;
    case Key::F9:
        OffsetCommand(0);
        return;
    case Key::F10:
        ApplyRandomColor(s, random_);
        Recolor("FARBE: ZUFALL");
        return;
    default:
        return;
    }
}

void KeyCommands::ComponentStep(std::int16_t& component, int step, const char* label) {
    AddHell(p_.settings);
    component = static_cast<std::int16_t>(std::clamp(component + step, 0, 255));
    Recolor(label + ThreeDigits(component));
}

void KeyCommands::OffsetCommand(int offset) {
    p_.settings.Color_Offset = static_cast<std::int16_t>(offset);
    Recolor("HELLIG.: " + FormatOffset(offset));
}

void KeyCommands::ShiftKey(Key key) {
    if (key == Key::Space) {
        SayTimeCommand(true);
    }
}

void KeyCommands::AltKey(Key key) {
    if (key == Key::Space) {
        SayDateTimeCommand(true);
    } else if (key == Key::F4) {
        p_.close(UnloadReason::UserClose);
    }
}

} // namespace diglux
