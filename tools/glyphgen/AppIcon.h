// The program icon: a small dark LED panel showing a time in lit seven-segment digits in
// the default green, with the unlit segments of "88:88" behind them.
#pragma once

#include <cstdint>
#include <vector>

namespace diglux::glyphgen {

// Pixel sizes the icon is made in.
inline constexpr int kIconSizes[] = {32, 48, 64, 128, 256};

// RGBA pixels (size x size x 4 bytes, rows top-down), transparent around the panel.
std::vector<std::uint8_t> BuildAppIcon(int size);

} // namespace diglux::glyphgen
