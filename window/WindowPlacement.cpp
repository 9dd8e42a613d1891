#include "WindowPlacement.h"

#include "model/NumberText.h"
#include "window/Orientation.h"

#include <algorithm>

namespace diglux {

WindowPlacement::WindowPlacement(SettingsStore& store, ClockWindowHost& window,
                                 const Desktop& desktop, const Settings& settings,
                                 TextDisplay& text, SoundPlayer& sound,
                                 std::function<void()> doEvents)
    : store_(store), window_(window), desktop_(desktop), settings_(settings), text_(text),
      sound_(sound), doEvents_(std::move(doEvents)) {}

void WindowPlacement::LoadOrientation() {
    const bool portrait = Orientation(desktop_) != 0;
    // A hand-stored position beyond what any screen has would overflow the hosts' whole
    // numbers; it is kept to the farthest position a window can take.
    const auto stored = [this](const char* name) {
        return std::clamp(LeadingNumber(store_.GetSettingText(name, "32")), -32768.0, 32767.0);
    };
    const double top = stored(portrait ? "Window.Top.P" : "Window.Top");
    const double left = stored(portrait ? "Window.Left.P" : "Window.Left");
    window_.Move(left * desktop_.UnitsPerPixelX(), top * desktop_.UnitsPerPixelY());
}

void WindowPlacement::SaveOrientation() {
    // The host reports the window in pixels, which is what is stored.
    const Rect rect = window_.ScreenRect();
    const bool portrait = Orientation(desktop_) != 0;
    store_.SaveSettingValue(portrait ? "Window.Top.P" : "Window.Top", std::to_string(rect.top));
    store_.SaveSettingValue(portrait ? "Window.Left.P" : "Window.Left", std::to_string(rect.left));
}

void WindowPlacement::NoteOrientation() {
    orientationIndex_ = Orientation(desktop_);
}

bool WindowPlacement::OrientationChanged() const {
    return Orientation(desktop_) != orientationIndex_;
}

void WindowPlacement::ChkOrientation() {
    if (!OrientationChanged()) {
        return;
    }
    orientationIndex_ = Orientation(desktop_);
    if (settings_.SagZeit || settings_.Signal) {
        sound_.PlayRes(kSoundResType, "PLONG", {.noWait = true});
    }
    doEvents_();
    loadCountdown_ = 2;
}

void WindowPlacement::ChkLoadSave() {
    if (saveCountdown_ >= 1) {
        // A pending save wins: the load waits, and is dropped when the save happens.
        if (--saveCountdown_ == 0) {
            loadCountdown_ = 0;
            SaveOrientation();
        }
        return;
    }
    if (loadCountdown_ < 1) {
        return;
    }
    --loadCountdown_;
    saveCountdown_ = 0;
    text_.ShowText1(Orientation(desktop_) == 0 ? "SET LANDSCAPE" : "SET PORTRAIT", Force::Yes);
    if (loadCountdown_ == 0) {
        LoadOrientation();
    }
    doEvents_();
}

} // namespace diglux
