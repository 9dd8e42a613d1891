#include "host/linux/FltkInputMap.h"

#include "host/ClockWindowHost.h"

#include <FL/Enumerations.H>

#include <array>
#include <utility>

namespace diglux {

namespace {

constexpr std::array<std::pair<int, Key>, 9> kNamedKeys{{
    {FL_BackSpace, Key::Back},
    {FL_Enter, Key::Return},
    {FL_KP_Enter, Key::Return},
    {FL_Escape, Key::Escape},
    {' ', Key::Space},
    {FL_Left, Key::Left},
    {FL_Up, Key::Up},
    {FL_Right, Key::Right},
    {FL_Down, Key::Down},
}};

// Modifiers and locks change other keys; they are no keys of their own. X numbers them
// Shift_L (0xffe1) to Hyper_R (0xffee) and the ISO shift and lock keys 0xfe01 to 0xfe0f.
bool IsModifierOrLock(int key) {
    return (key >= 0xffe1 && key <= 0xffee) || (key >= 0xfe01 && key <= 0xfe0f) ||
           key == FL_Num_Lock || key == FL_Scroll_Lock;
}

} // namespace

std::optional<Key> KeyFromFltk(int fltkKey) {
    if (fltkKey == 0 || IsModifierOrLock(fltkKey)) {
        return std::nullopt;
    }
    if (fltkKey >= 'a' && fltkKey <= 'z') {
        return LetterKey(static_cast<char>(fltkKey - 'a' + 'A'));
    }
    if (fltkKey >= 'A' && fltkKey <= 'Z') {
        return LetterKey(static_cast<char>(fltkKey));
    }
    if (fltkKey >= '0' && fltkKey <= '9') {
        return DigitKey(fltkKey - '0');
    }
    if (fltkKey > FL_F && fltkKey <= FL_F + 12) {
        return FunctionKey(fltkKey - FL_F);
    }
    for (const auto& [code, key] : kNamedKeys) {
        if (code == fltkKey) {
            return key;
        }
    }
    return Key::Other;
}

int ShiftMaskFromFltk(int fltkState) {
    int mask = 0;
    if ((fltkState & FL_SHIFT) != 0) {
        mask |= 1;
    }
    if ((fltkState & FL_CTRL) != 0) {
        mask |= 2;
    }
    if ((fltkState & FL_ALT) != 0) {
        mask |= 4;
    }
    return mask;
}

int MouseButtonFromFltk(int fltkButton) {
    switch (fltkButton) {
    case FL_LEFT_MOUSE:
        return kLeftButton;
    case FL_MIDDLE_MOUSE:
        return kMiddleButton;
    case FL_RIGHT_MOUSE:
        return kRightButton;
    default:
        return 0;
    }
}

int HeldButtonsFromFltk(int fltkState) {
    int buttons = 0;
    if ((fltkState & FL_BUTTON1) != 0) {
        buttons |= kLeftButton;
    }
    if ((fltkState & FL_BUTTON2) != 0) {
        buttons |= kMiddleButton;
    }
    if ((fltkState & FL_BUTTON3) != 0) {
        buttons |= kRightButton;
    }
    return buttons;
}

} // namespace diglux
