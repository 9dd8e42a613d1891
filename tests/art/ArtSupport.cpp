#include "ArtSupport.h"

#include "host/EmbeddedResources.h"
#include "host/linux/PngCodec.h"

#include <algorithm>
#include <map>
#include <string>

namespace diglux::art {

RgbImage LoadArt(std::string_view type, std::string_view name) {
    const auto bytes = EmbeddedResources().Load(type, name);
    std::string error;
    return LibPngDecoder().DecodePng(bytes, error);
}

const RgbImage& LoadMap(MapId id) {
    static std::map<MapId, RgbImage> decoded;
    const auto [at, added] = decoded.try_emplace(id);
    if (added) {
        at->second = LoadArt("MAPS", SpecOf(id).name);
    }
    return at->second;
}

RgbImage Glyph(MapId id, int index) {
    const MapSpec& layout = SpecOf(id);
    const RgbImage& map = LoadMap(id);
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

void Blob::Add(int px, int py) {
    ++pixels;
    x += px;
    y += py;
    left = std::min(left, px);
    top = std::min(top, py);
    right = std::max(right, px);
    bottom = std::max(bottom, py);
}

std::vector<Blob> FindBlobs(const RgbImage& glyph, int threshold) {
    const int w = glyph.Width();
    const int h = glyph.Height();
    std::vector<bool> seen(static_cast<std::size_t>(w * h), false);
    // Marks the pixel seen and tells whether it starts or continues an area.
    auto take = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h || seen[y * w + x] ||
            Grey(glyph.At(x, y)) < threshold) {
            return false;
        }
        seen[y * w + x] = true;
        return true;
    };
    std::vector<Blob> blobs;
    for (int start = 0; start < w * h; ++start) {
        if (!take(start % w, start / w)) {
            continue;
        }
        Blob blob;
        std::vector<int> stack{start};
        while (!stack.empty()) {
            const int x = stack.back() % w;
            const int y = stack.back() / w;
            stack.pop_back();
            blob.Add(x, y);
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    if (take(x + dx, y + dy)) {
                        stack.push_back((y + dy) * w + x + dx);
                    }
                }
            }
        }
        blob.x /= blob.pixels;
        blob.y /= blob.pixels;
        blobs.push_back(blob);
    }
    return blobs;
}

Blob LitArea(const RgbImage& glyph, int threshold) {
    Blob area;
    CountPixels(glyph, [&](Rgb p, int x, int y) {
        if (Grey(p) >= threshold) {
            area.Add(x, y);
        }
        return false;
    });
    area.x /= std::max(area.pixels, 1);
    area.y /= std::max(area.pixels, 1);
    return area;
}

int CountPixels(const RgbImage& image, const std::function<bool(Rgb, int, int)>& pick) {
    int count = 0;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            count += pick(image.At(x, y), x, y) ? 1 : 0;
        }
    }
    return count;
}

int DarkerThan(const RgbImage& glyph, const RgbImage& under) {
    return CountPixels(glyph,
                       [&](Rgb p, int x, int y) { return Grey(p) + 1 < Grey(under.At(x, y)); });
}

} // namespace diglux::art
