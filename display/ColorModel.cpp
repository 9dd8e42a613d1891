#include "ColorModel.h"

#include <algorithm>
#include <cstdio>

namespace diglux {
namespace {

std::int16_t Clamp(int value, int low, int high) {
    return static_cast<std::int16_t>(std::clamp(value, low, high));
}

} // namespace

void AddHell(ClockState& state) {
    if (state.Color_Offset != 0) {
        state.Color_B = static_cast<std::int16_t>(state.Color_B + state.Color_Offset);
        state.Color_R = static_cast<std::int16_t>(state.Color_R + state.Color_Offset);
        state.Color_G = static_cast<std::int16_t>(state.Color_G + state.Color_Offset);
    }
    state.Color_Offset = 0;
    state.Color_R = Clamp(state.Color_R, 0, 255);
    state.Color_G = Clamp(state.Color_G, 0, 255);
    state.Color_B = Clamp(state.Color_B, 0, 255);
}

void ApplyColor(ClockState& state, std::int16_t r, std::int16_t g, std::int16_t b) {
    state.Color_R = r;
    state.Color_G = g;
    state.Color_B = b;
    state.Color_Offset = 0;
    state.ColorDirty = true;
    state.DisplayValid = false;
}

void ApplyRandomColor(ClockState& state, std::mt19937& random) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto draw = [&] { return static_cast<std::int16_t>(unit(random) * 255); };
    const std::int16_t r = draw();
    const std::int16_t g = draw();
    const std::int16_t b = draw();
    ApplyColor(state, r, g, b);
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
