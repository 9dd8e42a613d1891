// Key and button translation. FLTK key codes are X keysyms, written out here as the X
// protocol numbers them, so the table is checked against an independent source.
#include "host/linux/FltkInputMap.h"

#include "host/ClockWindowHost.h"

#include <gtest/gtest.h>

#include <utility>

namespace diglux {
namespace {

TEST(FltkInputMap, KeysLandOnTheCodesWindowsGivesTheSameKey) {
    const std::pair<int, int> cases[] = {
        {'a', 65},
        {'z', 90},
        {'Q', 81}, // a keysym with Shift still names the key
        {'0', 48},
        {'9', 57},
        {' ', 32},
        {0xff1b, 27},  // Escape
        {0xff0d, 13},  // Return
        {0xff8d, 13},  // keypad Enter
        {0xff08, 8},   // BackSpace
        {0xff09, 9},   // Tab
        {0xff51, 37},  // Left
        {0xff54, 40},  // Down
        {0xff55, 33},  // Prior
        {0xff56, 34},  // Next
        {0xff57, 35},  // End
        {0xff50, 36},  // Home
        {0xff63, 45},  // Insert
        {0xffff, 46},  // Delete
        {0xffbe, 112}, // F1
        {0xffc1, 115}, // F4, for Alt+F4
        {0xffc9, 123}, // F12
        {0xffb0, 96},  // keypad 0
        {0xffb9, 105}, // keypad 9
        {0xffab, 107}, // keypad +
        // Punctuation next to the letter and digit ranges, and the German layout's keys.
        {'/', 191},
        {'`', 192},
        {'[', 219},
        {'-', 189},
        {0xfc, 186}, // u umlaut
        {'+', 187},
        {'#', 191},
        {0xf6, 192}, // o umlaut
        {0xdf, 219}, // sharp s
        {0xe4, 222}, // a umlaut
        {'<', 226},
    };
    for (const auto& [keysym, code] : cases) {
        EXPECT_EQ(VirtualKeyFromFltk(keysym), code) << std::hex << keysym;
    }
}

TEST(FltkInputMap, BareModifiersAndLocksAreNotKeys) {
    // Shift_L, Control_R, Alt_L, Caps_Lock, Num_Lock, Super_L, ISO_Level3_Shift, nothing.
    for (const int key : {0xffe1, 0xffe4, 0xffe9, 0xffe5, 0xff7f, 0xffeb, 0xfe03, 0}) {
        EXPECT_FALSE(VirtualKeyFromFltk(key).has_value()) << std::hex << key;
    }
}

TEST(FltkInputMap, ModifierMaskAddsShiftCtrlAlt) {
    constexpr int kShift = 0x10000;
    constexpr int kCapsLock = 0x20000;
    constexpr int kCtrl = 0x40000;
    constexpr int kAlt = 0x80000;
    constexpr int kNumLock = 0x100000;
    constexpr int kButton1 = 0x1000000;
    EXPECT_EQ(ShiftMaskFromFltk(0), 0);
    EXPECT_EQ(ShiftMaskFromFltk(kShift), 1);
    EXPECT_EQ(ShiftMaskFromFltk(kShift | kCtrl | kAlt), 7);
    // Lock states and held buttons are not modifiers.
    EXPECT_EQ(ShiftMaskFromFltk(kCapsLock | kNumLock | kButton1 | kAlt), 4);
}

TEST(FltkInputMap, MouseButtonsUseLeftOneRightTwoMiddleFour) {
    EXPECT_EQ(MouseButtonFromFltk(1), kLeftButton);
    EXPECT_EQ(MouseButtonFromFltk(2), kMiddleButton);
    EXPECT_EQ(MouseButtonFromFltk(3), kRightButton);
    EXPECT_EQ(MouseButtonFromFltk(8), 0);
    EXPECT_EQ(HeldButtonsFromFltk(0x1000000 | 0x4000000), kLeftButton | kRightButton);
    EXPECT_EQ(HeldButtonsFromFltk(0x2000000 | 0x10000), kMiddleButton);
}

} // namespace
} // namespace diglux
