// The display colour's rules: the presets, folding the brightness offset into the base
// colour (AddHell), the random colour, and the formats of the colour messages.
#pragma once

#include "model/Settings.h"

#include <random>
#include <string>

namespace diglux {

struct ColorPreset {
    std::int16_t r;
    std::int16_t g;
    std::int16_t b;
    const char* message;
};

inline constexpr ColorPreset kWhitePreset{255, 255, 255, "FARBE: WEISS"};
inline constexpr ColorPreset kRedPreset{255, 63, 47, "FARBE: ROT"};
inline constexpr ColorPreset kGreenPreset{95, 255, 47, "FARBE: GRUEN"};
inline constexpr ColorPreset kBluePreset{127, 159, 255, "FARBE: BLAU"};
inline constexpr ColorPreset kVfdPreset{63, 255, 183, "FARBE: VFD"};

// The step of the colour component and brightness keys.
inline constexpr int kColorStep = 8;

// Adds a pending brightness offset to the three components, clears it and clamps the
// components to 0..255.
void AddHell(Settings& settings);
// Sets the components and clears the offset; the caller has the display recoloured.
void ApplyColor(Settings& settings, std::int16_t r, std::int16_t g, std::int16_t b);
// Three components drawn one after another (R, G, B), each the whole part of a uniform
// number in [0, 1) times 255: 0..254.
void ApplyRandomColor(Settings& settings, std::mt19937& random);
// "087": at least three digits, a minus sign in front of negative values.
std::string ThreeDigits(int value);
// The offset as "000" right-aligned in four characters: " 016", "-016".
std::string FormatOffset(int offset);

} // namespace diglux
