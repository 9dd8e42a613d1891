#include "AppIcon.h"

#include "SevenSegment.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace diglux::glyphgen {
namespace {

constexpr double kGreen[3] = {95, 255, 47};
constexpr double kPanel[3] = {10, 9, 11};
constexpr double kPanelRim[3] = {44, 44, 48};

// The lit digits: 12:34, one of each kind of digit width.
constexpr std::array<std::uint8_t, 4> kShown = {
    kSegB | kSegC, kSegA | kSegB | kSegD | kSegE | kSegG, kSegA | kSegB | kSegC | kSegD | kSegG,
    kSegB | kSegC | kSegF | kSegG};

// The display in grey light levels: four digits and a lit colon across the panel.
GreyCanvas PaintDisplay(int size) {
    const double digitWidth = size * 0.155;
    const double digitHeight = digitWidth * 1.8;
    const double spacing = digitWidth * 0.22;
    const double colonSlot = digitWidth * 0.5;
    const double total = 4 * digitWidth + 2 * spacing + colonSlot + 2 * spacing;
    const double left = (size - total) / 2;
    const double top = (size - digitHeight) / 2;
    LedLook look;
    look.bevel = std::max(0.6, size * 0.012);
    look.glow = {{std::max(0.7, size * 0.012), 0.35}, {size * 0.035, 0.12}};
    look.samples = size <= 64 ? 12 : 6;
    std::vector<LedElement> elements;
    double x = left;
    for (std::size_t i = 0; i < kShown.size(); ++i) {
        DigitGeometry digit;
        digit.origin = {x, top};
        digit.width = digitWidth;
        digit.height = digitHeight;
        digit.thickness = digitWidth * 0.22;
        digit.inset = digitWidth * 0.025;
        digit.slant = 0.09;
        digit.dotSize = digit.thickness * 1.05;
        const std::array<Shape, 7> segments = SevenSegmentShapes(digit);
        for (std::size_t s = 0; s < segments.size(); ++s) {
            elements.push_back({segments[s], (kShown[i] & (1u << s)) != 0});
        }
        x += digitWidth + spacing;
        if (i == 1) {
            digit.origin.x = x + (colonSlot - digitWidth) / 2;
            for (const Vec2& centre : ColonCentres(digit)) {
                elements.push_back({DigitDot(digit, centre), true});
            }
            x += colonSlot + spacing;
        }
    }
    return PaintLed(size, size, elements, look);
}

} // namespace

std::vector<std::uint8_t> BuildAppIcon(int size) {
    // A wide panel like the clock window itself, centred in the square.
    const Vec2 centre{size / 2.0, size / 2.0};
    const Vec2 half{size * 0.48, size * 0.235};
    const double radius = size * 0.08;
    GreyCanvas outline(size, size);
    RenderShape(RoundedBox(centre, half, radius), 8, outline);
    GreyCanvas panel(size, size);
    const double rim = std::max(1.0, size / 48.0);
    RenderShape(RoundedBox(centre, {half.x - rim, half.y - rim}, radius - rim), 8, panel);
    const GreyCanvas light = PaintDisplay(size);
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(size) * size * 4, 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double alpha = std::min(1.0f, outline.At(x, y));
            if (alpha <= 0) {
                continue;
            }
            const double inner = std::min(1.0f, panel.At(x, y));
            std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * size + x) * 4];
            for (int c = 0; c < 3; ++c) {
                const double base = kPanelRim[c] + (kPanel[c] - kPanelRim[c]) * inner;
                const double lit = kGreen[c] * light.At(x, y) / 255.0 * inner;
                p[c] = static_cast<std::uint8_t>(std::lround(std::min(255.0, base + lit)));
            }
            p[3] = static_cast<std::uint8_t>(std::lround(alpha * 255));
        }
    }
    return rgba;
}

} // namespace diglux::glyphgen
