#include "Border.h"

#include <algorithm>
#include <cmath>

namespace diglux {
namespace {

constexpr int kStartGrey = 48;

// A filled box between two corners given in logical units, both corners included.
void DrawBox(Surface& form, double p, double x1, double y1, double x2, double y2, int grey) {
    auto toPixel = [p](double v) { return static_cast<int>(std::floor(v / p + 1e-9)); };
    const int left = toPixel(std::min(x1, x2));
    const int right = toPixel(std::max(x1, x2));
    const int top = toPixel(std::min(y1, y2));
    const int bottom = toPixel(std::max(y1, y2));
    const auto level = static_cast<std::uint8_t>(std::min(grey, 255));
    form.FillRect({left, top, right - left + 1, bottom - top + 1}, {level, level, level});
}

} // namespace

void DrawBorder(Surface& form, double unitsPerPixel) {
    const double p = unitsPerPixel;
    const double box = 5 * p;
    const double edge = p; // one pixel: keeps the right and bottom bands as wide as the others
    const double sw = form.Width() * p;
    const double sh = form.Height() * p;
    form.SetBackColor(form.BackColor());
    for (double i = 0; i <= sw / 2 + box; i += box) {
        DrawBox(form, p, i, 0, i + box, box, kStartGrey);
        DrawBox(form, p, sw - i, 0, sw - i + box, box, kStartGrey);
        DrawBox(form, p, i, sh, i + box, sh - box - edge, kStartGrey);
        DrawBox(form, p, sw - i, sh, sw - i + box, sh - box - edge, kStartGrey);
    }
    for (double j = 0; j <= sh / 2 + box; j += box) {
        // Rounded to the nearest integer, halves to even, as the colour call takes integers.
        const int grey =
            static_cast<int>(std::nearbyint(kStartGrey + (255 - kStartGrey) * j / (sh / 2)));
        DrawBox(form, p, 0, j, box, j + box, grey);
        DrawBox(form, p, 0, sh - j, box, sh - j + box, grey);
        DrawBox(form, p, sw, j, sw - box - edge, j + box, grey);
        DrawBox(form, p, sw, sh - j, sw - box - edge, sh - j + box, grey);
    }
}

} // namespace diglux
