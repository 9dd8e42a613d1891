// The keys as the clock's commands know them, and the modifier mask. Each host translates its
// own key codes into these before the core sees a key; the command tables speak only this.
#pragma once

#include <cstdint>
#include <optional>

namespace diglux {

enum class Key : std::uint8_t {
    Other, // a real key the commands do not name; it still counts as a key in the alarm entry
    Back,
    Return,
    Escape,
    Space,
    Left,
    Up,
    Right,
    Down,
    F1,
    F2,
    F3,
    F4,
    F5,
    F6,
    F7,
    F8,
    F9,
    F10,
    F11,
    F12,
    D0, // the digit keys of the main block (not the keypad's)
    D1,
    D2,
    D3,
    D4,
    D5,
    D6,
    D7,
    D8,
    D9,
    A,
    B,
    C,
    D,
    E,
    F,
    G,
    H,
    I,
    J,
    K,
    L,
    M,
    N,
    O,
    P,
    Q,
    R,
    S,
    T,
    U,
    V,
    W,
    X,
    Y,
    Z,
};

// Added together when several are held.
enum Modifier : int { kNoModifier = 0, kShift = 1, kCtrl = 2, kAlt = 4 };

// F1 for 1, ..., F12 for 12.
constexpr Key FunctionKey(int n) {
    return static_cast<Key>(static_cast<int>(Key::F1) + n - 1);
}
// The key of the digit 0..9.
constexpr Key DigitKey(int digit) {
    return static_cast<Key>(static_cast<int>(Key::D0) + digit);
}
// The key of an upper-case letter.
constexpr Key LetterKey(char letter) {
    return static_cast<Key>(static_cast<int>(Key::A) + (letter - 'A'));
}
// The digit a digit key types; empty for other keys.
constexpr std::optional<int> DigitOf(Key key) {
    const int offset = static_cast<int>(key) - static_cast<int>(Key::D0);
    return offset >= 0 && offset <= 9 ? std::optional<int>(offset) : std::nullopt;
}

} // namespace diglux
