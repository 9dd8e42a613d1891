// Numbers in stored texts: the leading decimal number of a text, and rounding to the nearest
// integer with halves to the even neighbour. Independent of the C locale.
#pragma once

#include <cstdint>
#include <string_view>

namespace diglux {

// The leading decimal number of a text ("." as decimal point, blanks before it skipped, an
// optional sign); 0 when the text does not begin with a number.
double LeadingNumber(std::string_view text);
// Rounds to the nearest integer; an exact half goes to the even neighbour (6.5 -> 6, 7.5 -> 8).
double RoundHalfEven(double value);
// The rounded value held in a 16-bit or 32-bit integer; values beyond the range are clamped.
std::int16_t ToInt16(double value);
std::int32_t ToInt32(double value);

} // namespace diglux
