// German number words for 0 to 99, cut into the fragments that have a recorded clip
// ("ein-un-zwan-zig", "drei-ßig", "er-ste"), joined by "-".
#pragma once

#include <cstdint>
#include <string>

namespace diglux {

// The form of the word for one when it stands alone.
enum OneForm : std::int16_t {
    kOneBeforeNoun = -1, // "ein" (ein Uhr)
    kOneCounted = 0,     // "eins"
    kOneFeminine = 1,    // "eine" (eine Sekunde)
    kOneInYear = 2,      // nothing: the last two digits of a year
};

// number is 0..99; ordinal 1 gives the ordinal stem with its "-te"/"-ste" ending.
std::string ZahlInWorten(std::int32_t number, std::int16_t oneForm, std::int16_t ordinal);

} // namespace diglux
