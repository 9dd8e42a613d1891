#include "Numbers.h"

#include <array>

namespace diglux {
namespace {

// Words and stems by value; 13 to 19 are never looked up. Stems ("sech", "sieb", "zwan")
// get their endings from the rules below.
const std::array<const char*, 21> kWords{"null", "ein",  "zwei", "drei", "vier", "fünf",  "sech",
                                         "sieb", "acht", "neun", "zehn", "elf",  "zwölf", "",
                                         "",     "",     "",     "",     "",     "",      "zwan"};

std::string Word(int value) {
    return kWords[static_cast<std::size_t>(value)];
}

// 13..99 except 17 and 20: units, then "-un-" from twenty on, then the tens.
std::string Compound(int tens, int units) {
    std::string out;
    if (units != 0) {
        out += Word(units);
    }
    if (units == 6 && tens != 1) {
        out += "s";
    } else if (units == 7) {
        out += "en";
    }
    if (units > 0) {
        if (tens >= 2) {
            out += "-un";
        }
        out += "-";
    }
    if (tens == 1) {
        out += "zehn";
    } else if (tens == 2) {
        out += "zwan-zig";
    } else if (tens == 3) {
        out += "drei-ßig";
    } else {
        out += Word(tens) + "-zig";
    }
    return out;
}

std::string One(std::int16_t oneForm, bool ordinal) {
    if (ordinal) {
        return "er";
    }
    switch (oneForm) {
    case kOneBeforeNoun:
        return "ein";
    case kOneCounted:
        return "eins";
    case kOneFeminine:
        return "eine";
    default:
        return "";
    }
}

// 0..12, 17 and 20.
std::string Simple(int r, int number, std::int16_t oneForm, bool ordinal) {
    switch (r) {
    case 0:
        return number == 0 ? "null" : "";
    case 1:
        return One(oneForm, ordinal);
    case 3:
        return ordinal ? "drit" : "drei";
    case 6:
        return "sechs";
    case 7:
        return ordinal ? "sieb" : "sieben";
    case 8:
        return ordinal ? "ach" : "acht";
    case 17:
        return "sieb-zehn";
    case 20:
        return "zwan-zig";
    default:
        return Word(r);
    }
}

} // namespace

std::string ZahlInWorten(std::int32_t number, std::int16_t oneForm, std::int16_t ordinal) {
    const int r = number % 100;
    const int tens = r / 10;
    const int units = number % 10;
    const bool isOrdinal = ordinal == 1;
    std::string out = (r >= 13 && r != 17 && r != 20) ? Compound(tens, units)
                                                      : Simple(r, number, oneForm, isOrdinal);
    if (isOrdinal) {
        out += (r == 1 || tens >= 2) ? "-ste" : "-te";
    }
    return out;
}

} // namespace diglux
