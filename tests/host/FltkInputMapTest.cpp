// Key and button translation. FLTK key codes are X keysyms, written out here as the X
// protocol numbers them, so the table is checked against an independent source.
#include "host/linux/FltkInputMap.h"

#include "host/ClockWindowHost.h"

#include <gtest/gtest.h>

namespace diglux {
namespace {

constexpr int kXkEscape = 0xff1b;
constexpr int kXkReturn = 0xff0d;
constexpr int kXkBackSpace = 0xff08;
constexpr int kXkTab = 0xff09;
constexpr int kXkLeft = 0xff51;
constexpr int kXkDown = 0xff54;
constexpr int kXkPrior = 0xff55;
constexpr int kXkNext = 0xff56;
constexpr int kXkHome = 0xff50;
constexpr int kXkEnd = 0xff57;
constexpr int kXkInsert = 0xff63;
constexpr int kXkDelete = 0xffff;
constexpr int kXkF1 = 0xffbe;
constexpr int kXkF12 = 0xffc9;
constexpr int kXkKpEnter = 0xff8d;
constexpr int kXkKp0 = 0xffb0;
constexpr int kXkKp9 = 0xffb9;
constexpr int kXkKpAdd = 0xffab;
constexpr int kXkShiftL = 0xffe1;
constexpr int kXkControlR = 0xffe4;
constexpr int kXkAltL = 0xffe9;
constexpr int kXkCapsLock = 0xffe5;
constexpr int kXkNumLock = 0xff7f;
constexpr int kXkSuperL = 0xffeb;
constexpr int kXkIsoLevel3Shift = 0xfe03;

TEST(FltkInputMap, LettersAndDigitsMapToTheirCapitalAndDigitCodes) {
    EXPECT_EQ(VirtualKeyFromFltk('a'), 65);
    EXPECT_EQ(VirtualKeyFromFltk('z'), 90);
    EXPECT_EQ(VirtualKeyFromFltk('Q'), 81); // a keysym with Shift still names the key
    EXPECT_EQ(VirtualKeyFromFltk('0'), 48);
    EXPECT_EQ(VirtualKeyFromFltk('9'), 57);
    // The neighbours of the ranges belong to punctuation, not to letters or digits.
    EXPECT_EQ(VirtualKeyFromFltk('/'), 191);
    EXPECT_EQ(VirtualKeyFromFltk('`'), 192);
    EXPECT_EQ(VirtualKeyFromFltk('['), 219);
}

TEST(FltkInputMap, CommandKeys) {
    EXPECT_EQ(VirtualKeyFromFltk(kXkEscape), 27);
    EXPECT_EQ(VirtualKeyFromFltk(kXkReturn), 13);
    EXPECT_EQ(VirtualKeyFromFltk(kXkKpEnter), 13);
    EXPECT_EQ(VirtualKeyFromFltk(' '), 32);
    EXPECT_EQ(VirtualKeyFromFltk(kXkBackSpace), 8);
    EXPECT_EQ(VirtualKeyFromFltk(kXkTab), 9);
    EXPECT_EQ(VirtualKeyFromFltk(kXkLeft), 37);
    EXPECT_EQ(VirtualKeyFromFltk(kXkDown), 40);
    EXPECT_EQ(VirtualKeyFromFltk(kXkPrior), 33);
    EXPECT_EQ(VirtualKeyFromFltk(kXkNext), 34);
    EXPECT_EQ(VirtualKeyFromFltk(kXkEnd), 35);
    EXPECT_EQ(VirtualKeyFromFltk(kXkHome), 36);
    EXPECT_EQ(VirtualKeyFromFltk(kXkInsert), 45);
    EXPECT_EQ(VirtualKeyFromFltk(kXkDelete), 46);
}

TEST(FltkInputMap, FunctionKeysAndKeypad) {
    EXPECT_EQ(VirtualKeyFromFltk(kXkF1), 112);
    EXPECT_EQ(VirtualKeyFromFltk(kXkF1 + 3), 115); // F4, for Alt+F4
    EXPECT_EQ(VirtualKeyFromFltk(kXkF12), 123);
    EXPECT_EQ(VirtualKeyFromFltk(kXkKp0), 96);
    EXPECT_EQ(VirtualKeyFromFltk(kXkKp9), 105);
    EXPECT_EQ(VirtualKeyFromFltk(kXkKpAdd), 107);
}

TEST(FltkInputMap, GermanLayoutKeysLandWhereWindowsPutsThem) {
    EXPECT_EQ(VirtualKeyFromFltk(0xfc), 186); // u umlaut
    EXPECT_EQ(VirtualKeyFromFltk('+'), 187);
    EXPECT_EQ(VirtualKeyFromFltk('#'), 191);
    EXPECT_EQ(VirtualKeyFromFltk(0xf6), 192); // o umlaut
    EXPECT_EQ(VirtualKeyFromFltk(0xdf), 219); // sharp s
    EXPECT_EQ(VirtualKeyFromFltk(0xe4), 222); // a umlaut
    EXPECT_EQ(VirtualKeyFromFltk('<'), 226);
    EXPECT_EQ(VirtualKeyFromFltk('-'), 189);
}

TEST(FltkInputMap, BareModifiersAndLocksAreNotKeys) {
    for (const int key : {kXkShiftL, kXkControlR, kXkAltL, kXkCapsLock, kXkNumLock, kXkSuperL,
                          kXkIsoLevel3Shift, 0}) {
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
    EXPECT_EQ(ShiftMaskFromFltk(kCtrl | kAlt), 6);
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
    EXPECT_EQ(HeldButtonsFromFltk(0), 0);
}

} // namespace
} // namespace diglux
