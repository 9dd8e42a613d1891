#include "ArtSupport.h"

#include "host/EmbeddedResources.h"
#include "host/linux/PngCodec.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

namespace diglux::art {

const ArtMap& MapNamed(std::string_view name) {
    for (const ArtMap& map : kArtMaps) {
        if (map.name == name) {
            return map;
        }
    }
    throw std::invalid_argument("no such map: " + std::string(name));
}

RgbImage LoadArt(std::string_view type, std::string_view name) {
    const auto bytes = EmbeddedResources().Load(type, name);
    std::string error;
    return LibPngDecoder().DecodePng(bytes, error);
}

RgbImage LoadMap(std::string_view name) {
    return LoadArt("MAPS", name);
}

RgbImage Glyph(const RgbImage& map, const ArtMap& layout, int index) {
    const int cellWidth = layout.width / layout.cols;
    const int cellHeight = layout.height / layout.rows;
    const int left = ((index - 1) % layout.cols) * cellWidth;
    const int top = ((index - 1) / layout.cols) * cellHeight;
    RgbImage glyph(cellWidth - layout.gap, cellHeight - layout.gap);
    for (int y = 0; y < glyph.Height(); ++y) {
        for (int x = 0; x < glyph.Width(); ++x) {
            glyph.Set(x, y, map.At(left + x, top + y));
        }
    }
    return glyph;
}

int Grey(Rgb pixel) {
    return pixel == kBackground ? 0 : pixel.g;
}

std::vector<Blob> FindBlobs(const RgbImage& glyph, int threshold) {
    const int w = glyph.Width();
    std::vector<bool> seen(static_cast<std::size_t>(w * glyph.Height()), false);
    std::vector<Blob> blobs;
    for (int y0 = 0; y0 < glyph.Height(); ++y0) {
        for (int x0 = 0; x0 < w; ++x0) {
            if (seen[y0 * w + x0] || Grey(glyph.At(x0, y0)) < threshold) {
                continue;
            }
            Blob blob{0, 0, 0, x0, y0, x0, y0};
            std::vector<std::pair<int, int>> stack{{x0, y0}};
            seen[y0 * w + x0] = true;
            while (!stack.empty()) {
                const auto [x, y] = stack.back();
                stack.pop_back();
                ++blob.pixels;
                blob.x += x;
                blob.y += y;
                blob.left = std::min(blob.left, x);
                blob.right = std::max(blob.right, x);
                blob.top = std::min(blob.top, y);
                blob.bottom = std::max(blob.bottom, y);
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx;
                        const int ny = y + dy;
                        if (nx >= 0 && ny >= 0 && nx < w && ny < glyph.Height() &&
                            !seen[ny * w + nx] && Grey(glyph.At(nx, ny)) >= threshold) {
                            seen[ny * w + nx] = true;
                            stack.push_back({nx, ny});
                        }
                    }
                }
            }
            blob.x /= blob.pixels;
            blob.y /= blob.pixels;
            blobs.push_back(blob);
        }
    }
    return blobs;
}

int CountAtLeast(const RgbImage& glyph, int threshold) {
    int count = 0;
    for (int y = 0; y < glyph.Height(); ++y) {
        for (int x = 0; x < glyph.Width(); ++x) {
            count += Grey(glyph.At(x, y)) >= threshold ? 1 : 0;
        }
    }
    return count;
}

} // namespace diglux::art
