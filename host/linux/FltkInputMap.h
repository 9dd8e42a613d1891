// Translates FLTK input into the terms the clock's handlers are written for: Windows
// virtual-key codes, the modifier mask Shift 1, Ctrl 2, Alt 4, and the button values
// left 1, right 2, middle 4. Pure functions.
#pragma once

#include <optional>

namespace diglux {

// The virtual-key code for an FLTK key, or empty for keys the clock never sees: bare
// modifiers, lock keys and keys without a counterpart.
std::optional<int> VirtualKeyFromFltk(int fltkKey);

// The mask Shift 1, Ctrl 2, Alt 4 from FLTK's event state.
int ShiftMaskFromFltk(int fltkState);

// The button value for FLTK's event_button() (1 left, 2 middle, 3 right); 0 for others.
int MouseButtonFromFltk(int fltkButton);

// The buttons held down, added together, from FLTK's event state.
int HeldButtonsFromFltk(int fltkState);

} // namespace diglux
