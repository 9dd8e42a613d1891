#include "GlyphMaps.h"

#include "display/Colorize.h"
#include "display/GlyphMap.h"

namespace diglux {
namespace {

// Sizes and grids every map must have; the order is the order of recolouring.
constexpr std::array<MapSpec, kMapCount> kSpecs{{
    {MapId::PicMap7B, "PicMap7B", 1456, 126, 16, 1, 1, true},
    {MapId::PicMap7S, "PicMap7S", 736, 66, 16, 1, 1, true},
    {MapId::PicMapDotsB, "PicMapDotsB", 140, 126, 4, 1, 1, true},
    {MapId::PicMapDotsS, "PicMapDotsS", 96, 66, 4, 1, 1, true},
    {MapId::PicMap16S, "PicMap16S", 224, 120, 16, 6, 1, true},
    {MapId::PicMapOpt, "PicMapOpt", 144, 26, 6, 1, 1, true},
    {MapId::PicBut, "PicBut", 37, 60, 1, 4, 0, false},
}};

} // namespace

const MapSpec& SpecOf(MapId id) {
    return kSpecs[static_cast<std::size_t>(id)];
}

bool GlyphMaps::LoadMasters(const Resources& resources, const ImageDecoder& decoder,
                            std::string& error) {
    for (const MapSpec& layout : kSpecs) {
        const auto bytes = resources.Load("MAPS", layout.name);
        if (bytes.empty()) {
            error = std::string("glyph map ") + layout.name + " is missing";
            return false;
        }
        std::string reason;
        RgbImage image = decoder.DecodePng(bytes, reason);
        if (image.Empty()) {
            error = std::string("glyph map ") + layout.name + " cannot be read: " + reason;
            return false;
        }
        if (image.Width() != layout.width || image.Height() != layout.height) {
            error = std::string("glyph map ") + layout.name + " is " +
                    std::to_string(image.Width()) + " x " + std::to_string(image.Height()) +
                    " pixels; it must be " + std::to_string(layout.width) + " x " +
                    std::to_string(layout.height);
            return false;
        }
        if (!Keep(layout, image, error)) {
            return false;
        }
    }
    return true;
}

bool GlyphMaps::Keep(const MapSpec& layout, const RgbImage& image, std::string& error) {
    auto master = ToPalette(image);
    if (!master) {
        error = std::string("glyph map ") + layout.name +
                " has more than 256 colours; a map may have at most 256";
        return false;
    }
    // Until the first recolouring the tinted maps are drawn in white, as their masters.
    colors_[Index(layout.id)] = PlainPalette(master->palette);
    masters_[Index(layout.id)] = std::move(*master);
    return true;
}

void GlyphMaps::Recolor(Rgb color) {
    for (const MapSpec& layout : kSpecs) {
        if (layout.tinted) {
            colors_[Index(layout.id)] = TintPalette(masters_[Index(layout.id)].palette, color);
        }
    }
}

Rgb GlyphMaps::ColorAt(MapId id, int x, int y) const {
    return ToRgb(colors_[Index(id)][masters_[Index(id)].IndexAt(x, y)]);
}

void GlyphMaps::Draw(MapId id, Surface& target, int x, int y, int cell) const {
    const MapSpec& layout = SpecOf(id);
    DrawPicMap(masters_[Index(id)], colors_[Index(id)], target, x, y, layout.cols, layout.rows,
               cell, layout.gap);
}

} // namespace diglux
