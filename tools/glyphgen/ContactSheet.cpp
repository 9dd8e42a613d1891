#include "ContactSheet.h"

#include <string>
#include <string_view>

namespace diglux::glyphgen {
namespace {

struct Preset {
    const char* label;
    Rgb color;
};

// The program's colour presets; green is the default.
constexpr Preset kPresets[] = {{"FARBE: GRUEN  95 255 47", {95, 255, 47}},
                               {"FARBE: WEISS  255 255 255", {255, 255, 255}},
                               {"FARBE: ROT  255 63 47", {255, 63, 47}},
                               {"FARBE: BLAU  127 159 255", {127, 159, 255}},
                               {"FARBE: VFD  63 255 183", {63, 255, 183}}};

constexpr Rgb kSheet{24, 24, 26};
constexpr int kMargin = 16;
constexpr int kSpacing = 12;
constexpr int kLabelHeight = 28;
constexpr int kBlockHeight = kLabelHeight + 126 + kSpacing + 120 + 2 * kSpacing;

enum MapIndex { k7B, k7S, kDotsB, kDotsS, k16S, kOpt, kBut };

// The program's tint: every channel multiplied by the colour, rounded to the nearest level.
RgbImage Tint(const RgbImage& image, Rgb color) {
    RgbImage out(image.Width(), image.Height());
    auto channel = [](int c, int v) { return static_cast<std::uint8_t>((2 * c * v + 255) / 510); };
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb p = image.At(x, y);
            out.Set(x, y, {channel(color.r, p.r), channel(color.g, p.g), channel(color.b, p.b)});
        }
    }
    return out;
}

void Blit(RgbImage& target, const RgbImage& source, const Rect& area, Point at) {
    for (int y = 0; y < area.height; ++y) {
        for (int x = 0; x < area.width; ++x) {
            target.Set(at.x + x, at.y + y, source.At(area.left + x, area.top + y));
        }
    }
}

void BlitAll(RgbImage& target, const RgbImage& source, Point at) {
    Blit(target, source, source.Bounds(), at);
}

// Writes text with the tinted text map, one glyph (13 x 19 of a 14 x 20 cell) a character.
void DrawText(RgbImage& target, const RgbImage& font, Point at, std::string_view text) {
    for (const char c : text) {
        const int cell = static_cast<unsigned char>(c) - 32;
        Blit(target, font, {(cell % 16) * 14, (cell / 16) * 20, 13, 19}, at);
        at.x += 13;
    }
}

void DrawBlock(RgbImage& sheet, const std::vector<NamedImage>& maps, const Preset& preset,
               int top) {
    auto tinted = [&](MapIndex i) { return Tint(maps[i].pixels, preset.color); };
    DrawText(sheet, tinted(k16S), {kMargin, top}, preset.label);
    const int rowA = top + kLabelHeight;
    BlitAll(sheet, tinted(k7B), {kMargin, rowA});
    BlitAll(sheet, tinted(kDotsB), {kMargin + maps[k7B].pixels.Width() + kSpacing, rowA});
    const int rowB = rowA + maps[k7B].pixels.Height() + kSpacing;
    int x = kMargin;
    for (const MapIndex i : {k7S, kDotsS, k16S, kOpt}) {
        BlitAll(sheet, tinted(i), {x, rowB});
        x += maps[i].pixels.Width() + kSpacing;
    }
    // The close button is never tinted.
    BlitAll(sheet, maps[kBut].pixels, {x, rowB});
}

} // namespace

RgbImage BuildContactSheet(const std::vector<NamedImage>& maps) {
    const int width =
        2 * kMargin + maps[k7B].pixels.Width() + kSpacing + maps[kDotsB].pixels.Width();
    const int count = static_cast<int>(std::size(kPresets));
    RgbImage sheet(width, 2 * kMargin + count * kBlockHeight - 2 * kSpacing, kSheet);
    for (int i = 0; i < count; ++i) {
        DrawBlock(sheet, maps, kPresets[i], kMargin + i * kBlockHeight);
    }
    return sheet;
}

} // namespace diglux::glyphgen
