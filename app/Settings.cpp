#include "Settings.h"

#include "display/Orientation.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace diglux {

double LeadingNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    std::string number;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        number += text[i++];
    }
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c)) != 0) {
            number += c;
        } else if (c == '.' && !point) {
            point = true;
            number += c;
        } else {
            break;
        }
    }
    return number.empty() ? 0.0 : std::strtod(number.c_str(), nullptr);
}

Settings::Settings(ClockState& state, SettingsStore& store, ClockWindowHost& window,
                   const Desktop& desktop)
    : state_(state), store_(store), window_(window), desktop_(desktop) {}

std::string Settings::Get(const std::string& name, const std::string& defaultValue) {
    return store_.GetSettingValue(state_.MakerName, state_.ProductName, name, defaultValue);
}

void Settings::Save(const std::string& name, const std::string& value) {
    store_.SaveSettingValue(state_.MakerName, state_.ProductName, name, value);
}

// Pending: the settings table with its conversions comes with the store work.
void Settings::Load() {}

void Settings::SetSave() {
    SaveOrientation();
    // Pending: writing every setting comes with the store work.
}

void Settings::LoadOrientation() {
    const bool portrait = Orientation(desktop_) != 0;
    const double top = LeadingNumber(Get(portrait ? "Window.Top.P" : "Window.Top", "32"));
    const double left = LeadingNumber(Get(portrait ? "Window.Left.P" : "Window.Left", "32"));
    window_.Move(left * state_.TwipsPerPixelX, top * state_.TwipsPerPixelY);
}

void Settings::SaveOrientation() {
    // The host reports the window in pixels, which is what is stored.
    const Rect rect = window_.ScreenRect();
    const bool portrait = Orientation(desktop_) != 0;
    Save(portrait ? "Window.Top.P" : "Window.Top", std::to_string(rect.top));
    Save(portrait ? "Window.Left.P" : "Window.Left", std::to_string(rect.left));
}

// Pending: the countdowns come with the store work.
void Settings::ChkLoadSave() {}

} // namespace diglux
