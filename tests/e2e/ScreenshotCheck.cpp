// Reads the clock face off a screenshot of the running program. Every glyph is recognised by
// exact comparison with the embedded greyscale maps, tinted here with the display colour, at
// the places the clock face puts them.
//
// usage: diglux_e2e_check SHOT.png LEFT TOP [RED GREEN BLUE]
// LEFT, TOP: the window's place on the screenshot; the colour defaults to the clock's green.
// Prints "clock: DD.MM.YYYY HH:MM:SS" (the date and the time), "line: ..." (the text line)
// and "field: ..." (the text field). A cell that matches no glyph reads as "?", and so does a
// date point that is not the lit point or a colon that is no colon glyph (lit or dark, as the
// blinking has it). The triangle (code 127) reads as ">".
#include "display/GlyphMaps.h"
#include "host/EmbeddedResources.h"
#include "host/linux/PngCodec.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>

namespace diglux {
namespace {

RgbImage Decode(std::span<const std::uint8_t> png) {
    std::string error;
    return LibPngDecoder().DecodePng(png, error);
}

// The first of the map's first `cells` cells that the screenshot shows exactly at `at`, or 0.
int ReadCell(const RgbImage& shot, Rgb color, MapId id, int cells, Point at) {
    const MapSpec& s = SpecOf(id);
    const RgbImage map = Decode(EmbeddedResources().Load("MAPS", s.name));
    const int width = s.width / s.cols, height = s.height / s.rows;
    // round(c * grey / 255), as the clock tints its maps
    const auto tint = [](int c, int grey) { return std::uint8_t((2 * c * grey + 255) / 510); };
    for (int cell = 1; map.Width() == s.width && cell <= cells; ++cell) { // none if unreadable
        const int left = (cell - 1) % s.cols * width, top = (cell - 1) / s.cols * height;
        bool same = at.x + width - s.gap <= shot.Width() && at.y + height - s.gap <= shot.Height();
        for (int i = 0; same && i < (width - s.gap) * (height - s.gap); ++i) {
            const int x = i % (width - s.gap), y = i / (width - s.gap);
            const Rgb grey = map.At(left + x, top + y);
            same = shot.At(at.x + x, at.y + y) ==
                   Rgb{tint(color.r, grey.r), tint(color.g, grey.g), tint(color.b, grey.b)};
        }
        if (same) {
            return cell;
        }
    }
    return 0;
}

} // namespace
} // namespace diglux

int main(int argc, char** argv) {
    using namespace diglux;
    if (argc != 4 && argc != 7) {
        std::cerr << "usage: diglux_e2e_check SHOT.png LEFT TOP [RED GREEN BLUE]\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const RgbImage shot = Decode(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {}));
    if (shot.Empty()) {
        std::cerr << "cannot read " << argv[1] << "\n";
        return 1;
    }
    const auto number = [&](int i) { return static_cast<std::uint8_t>(std::atoi(argv[i])); };
    const Rgb color = argc == 7 ? Rgb{number(4), number(5), number(6)} : Rgb{95, 255, 47};
    const int left = std::atoi(argv[2]), top = std::atoi(argv[3]);
    const auto read = [&](MapId id, int cells, int x, int y) {
        return ReadCell(shot, color, id, cells, {left + x, top + y});
    };
    // A row of the clock from x, y: at each offset a digit ("d"), the lit point (".") or a
    // colon (":"), as the pattern says.
    const auto row = [&](const char* pattern, const int* offsets, MapId digits, MapId dots, int x,
                         int y) {
        std::string shown;
        for (int i = 0; pattern[i] != 0; ++i) {
            const bool digit = pattern[i] == 'd';
            const int cell = read(digit ? digits : dots, digit ? 10 : 4, x + offsets[i], y);
            shown += digit               ? (cell != 0 ? char('0' + cell - 1) : '?')
                     : pattern[i] == '.' ? (cell == 2 ? '.' : '?')
                                         : (cell != 0 ? ':' : '?');
        }
        return shown;
    };
    // A text of `count` characters from x, y, 14 pixels apart.
    const auto text = [&](int x, int y, int count) {
        std::string shown;
        for (int i = 0; i < count; ++i) {
            const int cell = read(MapId::PicMap16S, 96, x + 14 * i, y);
            shown += cell == 0 ? '?' : cell == 96 ? '>' : char(cell + 31);
        }
        return shown;
    };
    const int date[] = {0, 45, 89, 115, 160, 204, 230, 275, 320, 365};
    const int time[] = {0, 90, 183, 220, 310, 403, 440, 530};
    // The date's picture is at 224,156, the time's at 18,16; the text line's first character
    // sits 4 pixels into its picture at 20,198, and the text field is at 108,160.
    std::cout << "clock: " << row("dd.dd.dddd", date, MapId::PicMap7S, MapId::PicMapDotsS, 224, 156)
              << " " << row("dd:dd:dd", time, MapId::PicMap7B, MapId::PicMapDotsB, 18, 16)
              << "\nline: " << text(24, 198, 13) << "\nfield: " << text(108, 160, 7) << "\n";
    return 0;
}
