#include "ColorModel.h"

#include <algorithm>
#include <cstdio>

namespace diglux {
namespace {

std::int16_t Clamp(int value, int low, int high) {
    return static_cast<std::int16_t>(std::clamp(value, low, high));
}

} // namespace

void AddHell(Settings& settings) {
    // Summed and clamped in int: hand-stored components near the 16-bit limits must not wrap.
    const int offset = settings.Color_Offset;
    settings.Color_Offset = 0;
    settings.Color_R = Clamp(settings.Color_R + offset, 0, 255);
    settings.Color_G = Clamp(settings.Color_G + offset, 0, 255);
    settings.Color_B = Clamp(settings.Color_B + offset, 0, 255);
}

void ApplyColor(Settings& settings, std::int16_t r, std::int16_t g, std::int16_t b) {
    settings.Color_R = r;
    settings.Color_G = g;
    settings.Color_B = b;
    settings.Color_Offset = 0;
}

void ApplyRandomColor(Settings& settings, std::mt19937& random) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto draw = [&] { return static_cast<std::int16_t>(unit(random) * 255); };
    const std::int16_t r = draw();
    const std::int16_t g = draw();
    const std::int16_t b = draw();
    ApplyColor(settings, r, g, b);
}

std::string ThreeDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, value < 0 ? "-%03d" : "%03d", value < 0 ? -value : value);
    return text;
}

std::string FormatOffset(int offset) {
    std::string text = ThreeDigits(offset);
    if (text.size() < 4) {
        text.insert(0, 4 - text.size(), ' ');
    }
    return text;
}

} // namespace diglux
