#include "MapCanvas.h"

#include "host/linux/PngCodec.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

namespace diglux::glyphgen {
namespace {

// Orders colours by brightness, so that neighbouring palette indices look alike and the
// PNG row filters find small differences.
bool Darker(const Rgb& a, const Rgb& b) {
    return std::tuple(a.r + a.g + a.b, a.r, a.g, a.b) < std::tuple(b.r + b.g + b.b, b.r, b.g, b.b);
}

std::vector<std::uint8_t> EncodeAsPalette(const RgbImage& image) {
    std::vector<Rgb> colors;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb c = image.At(x, y);
            if (std::find(colors.begin(), colors.end(), c) == colors.end()) {
                colors.push_back(c);
                if (colors.size() > 256) {
                    return {};
                }
            }
        }
    }
    std::sort(colors.begin(), colors.end(), Darker);
    std::vector<std::uint8_t> indices;
    indices.reserve(static_cast<std::size_t>(image.Width()) * image.Height());
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const auto at = std::lower_bound(colors.begin(), colors.end(), image.At(x, y), Darker);
            indices.push_back(static_cast<std::uint8_t>(at - colors.begin()));
        }
    }
    return EncodePalettePng(image.Width(), image.Height(), indices, colors);
}

} // namespace

MapCanvas::MapCanvas(std::string name, int width, int height, int cols, int rows)
    : name_(std::move(name)), cols_(cols), rows_(rows), canvas_(width, height) {}

void MapCanvas::SetCell(int index, const GreyCanvas& glyph) {
    const int i = index - 1;
    canvas_.Paste(glyph, (i % cols_) * CellWidth(), (i / cols_) * CellHeight());
}

RgbImage ToMapPixels(const GreyCanvas& canvas) {
    RgbImage image(canvas.Width(), canvas.Height(), kBackground);
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const float level = canvas.At(x, y);
            if (level >= kDarkest) {
                const auto grey = static_cast<std::uint8_t>(std::lround(std::min(level, 255.0f)));
                image.Set(x, y, {grey, grey, grey});
            }
        }
    }
    return image;
}

std::vector<std::uint8_t> EncodeSmallest(const RgbImage& image) {
    std::vector<std::uint8_t> palette = EncodeAsPalette(image);
    std::vector<std::uint8_t> rgb = EncodeRgbPng(image);
    if (!palette.empty() && (rgb.empty() || palette.size() <= rgb.size())) {
        return palette;
    }
    return rgb;
}

} // namespace diglux::glyphgen
