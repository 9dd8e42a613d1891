// Translates FLTK input into the terms the clock's handlers are written for: the program's
// key enum, the modifier mask Shift 1, Ctrl 2, Alt 4, and the button values left 1, right 2,
// middle 4. Pure functions.
#pragma once

#include "host/Keys.h"

#include <optional>

namespace diglux {

// The key for an FLTK key code: Key::Other for a real key the commands do not name, empty for
// what is no key of its own (bare modifiers, lock keys, nothing).
std::optional<Key> KeyFromFltk(int fltkKey);

// The mask Shift 1, Ctrl 2, Alt 4 from FLTK's event state.
int ShiftMaskFromFltk(int fltkState);

// The button value for FLTK's event_button() (1 left, 2 middle, 3 right); 0 for others.
int MouseButtonFromFltk(int fltkButton);

// The buttons held down, added together, from FLTK's event state.
int HeldButtonsFromFltk(int fltkState);

} // namespace diglux
