#include "host/linux/FltkInputMap.h"

#include "host/ClockWindowHost.h"

#include <FL/Enumerations.H>

#include <array>
#include <utility>

namespace diglux {

namespace {

constexpr int kVkNumpad0 = 96;
constexpr int kVkF1 = 112;
constexpr int kHighestFunctionKey = 24;

// Keys with a fixed counterpart. Punctuation is matched by the symbol of the unshifted key,
// so both the US and the German layout land on the codes Windows gives for the same key.
constexpr std::array<std::pair<int, int>, 48> kFixedKeys{{
    {FL_BackSpace, 8},  {FL_Tab, 9},        {FL_Enter, 13},
    {FL_KP_Enter, 13},  {FL_Pause, 19},     {FL_Escape, 27},
    {' ', 32},          {FL_Page_Up, 33},   {FL_Page_Down, 34},
    {FL_End, 35},       {FL_Home, 36},      {FL_Left, 37},
    {FL_Up, 38},        {FL_Right, 39},     {FL_Down, 40},
    {FL_Print, 44},     {FL_Insert, 45},    {FL_Delete, 46},
    {FL_Help, 47},      {FL_Menu, 93},      {FL_KP + '*', 106},
    {FL_KP + '+', 107}, {FL_KP + ',', 108}, {FL_KP + '-', 109},
    {FL_KP + '.', 110}, {FL_KP + '/', 111}, {';', 186},
    {0xfc, 186},                    // u umlaut (German layout)
    {'=', 187},         {'+', 187}, // German layout
    {',', 188},         {'-', 189},         {'.', 190},
    {'/', 191},         {'#', 191},                        // German layout
    {'`', 192},         {0xf6, 192},                       // o umlaut (German layout)
    {'[', 219},         {0xdf, 219},                       // sharp s (German layout)
    {'\\', 220},        {'^', 220},         {0xfe52, 220}, // dead circumflex (German layout)
    {']', 221},         {0xfe51, 221},                     // dead acute (German layout)
    {'\'', 222},        {0xe4, 222},                       // a umlaut (German layout)
    {'<', 226},                                            // the extra key of ISO keyboards
    {FL_Iso_Key, 226},
}};

std::optional<int> RangeKey(int key) {
    if (key >= 'a' && key <= 'z') {
        return key - 'a' + 'A';
    }
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
        return key;
    }
    if (key >= FL_KP + '0' && key <= FL_KP + '9') {
        return kVkNumpad0 + key - (FL_KP + '0');
    }
    if (key > FL_F && key <= FL_F + kHighestFunctionKey) {
        return kVkF1 + key - (FL_F + 1);
    }
    return std::nullopt;
}

} // namespace

std::optional<int> VirtualKeyFromFltk(int fltkKey) {
    if (const auto code = RangeKey(fltkKey)) {
        return code;
    }
    for (const auto& [key, code] : kFixedKeys) {
        if (key == fltkKey) {
            return code;
        }
    }
    return std::nullopt;
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
