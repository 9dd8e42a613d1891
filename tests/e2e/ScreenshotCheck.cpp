// Reads the clock face off a screenshot of the running program. Every glyph is recognised by
// exact comparison with the program's glyph maps, tinted with the display colour as the clock
// tints them (the core tests check that tinting against a computation of their own), at the
// places the clock face puts them.
//
// usage: diglux_e2e_check SHOT.png LEFT TOP [RED GREEN BLUE]
// LEFT, TOP: the window's place on the screenshot; the colour defaults to the clock's green.
// Prints "clock: DD.MM.YYYY HH:MM:SS" (the date and the time), "line: ..." (the text line)
// and "field: ..." (the text field). A cell that matches no glyph reads as "?", and so does a
// date point that is not the lit point or a colon that is neither the lit nor the dark colon
// (the blinking shows either). The triangle (code 127) reads as ">".
#include "display/GlyphMaps.h"
#include "host/EmbeddedResources.h"
#include "host/linux/PngCodec.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <numeric>

using namespace diglux;

// What the screenshot shows at x, y: the character that `reads` gives the first of the map's
// cells it shows exactly (cell 1 reads as reads[0]), or '?'.
char Cell(const RgbImage& shot, const GlyphMaps& maps, MapId id, std::string_view reads, int x,
          int y) {
    const MapSpec& s = SpecOf(id);
    const int width = s.width / s.cols - s.gap, height = s.height / s.rows - s.gap;
    for (std::size_t c = 0; c < reads.size(); ++c) {
        const int left = c % s.cols * (width + s.gap), top = c / s.cols * (height + s.gap);
        bool same = x + width <= shot.Width() && y + height <= shot.Height();
        for (int i = 0; same && i < width * height; ++i) {
            same = shot.At(x + i % width, y + i / width) ==
                   maps.ColorAt(id, left + i % width, top + i / width);
        }
        if (same) {
            return reads[c];
        }
    }
    return '?';
}

int main(int argc, char** argv) {
    if (argc != 4 && argc != 7) {
        std::cerr << "usage: diglux_e2e_check SHOT.png LEFT TOP [RED GREEN BLUE]\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<std::uint8_t> png(std::istreambuf_iterator<char>(in), {});
    std::string error;
    const RgbImage shot = LibPngDecoder().DecodePng(png, error);
    GlyphMaps maps;
    if (shot.Empty() || !maps.LoadMasters(EmbeddedResources(), LibPngDecoder(), error)) {
        std::cerr << "cannot read " << argv[1] << ": " << error << "\n";
        return 1;
    }
    const auto number = [&](int i) { return static_cast<std::uint8_t>(std::atoi(argv[i])); };
    maps.Recolor(argc == 7 ? Rgb{number(4), number(5), number(6)} : Rgb{95, 255, 47});
    // A cell at x, y in the window.
    const auto cell = [&](MapId id, std::string_view reads, int x, int y) {
        return Cell(shot, maps, id, reads, x + std::atoi(argv[2]), y + std::atoi(argv[3]));
    };
    std::string text(96, '>'); // the text map: codes 32 to 126, then the triangle
    std::iota(text.begin(), text.end() - 1, ' ');
    // Reads the places at the offsets from x, y: a digit ("d"), the lit point (".") or a colon
    // (":") from the digit and the colon maps given, or a character of the text map ("t").
    const auto row = [&](std::string_view kinds, std::vector<int> offsets, int x, int y,
                         MapId digits = MapId::PicMap7B, MapId dots = MapId::PicMapDotsB) {
        std::string shown;
        for (std::size_t i = 0; i < kinds.size(); ++i) {
            const int at = x + offsets[i];
            shown += kinds[i] == 'd'   ? cell(digits, "0123456789", at, y)
                     : kinds[i] == 't' ? cell(MapId::PicMap16S, text, at, y)
                                       : cell(dots, kinds[i] == '.' ? "?." : "??::", at, y);
        }
        return shown;
    };
    const std::vector<int> line = {0, 14, 28, 42, 56, 70, 84, 98, 112, 126, 140, 154, 168};
    // The date's picture is at 224,156, the time's at 18,16; the text line's first character
    // sits 4 pixels into its picture at 20,198, and the text field is at 108,160.
    std::cout << "clock: "
              << row("dd.dd.dddd", {0, 45, 89, 115, 160, 204, 230, 275, 320, 365}, 224, 156,
                     MapId::PicMap7S, MapId::PicMapDotsS)
              << " " << row("dd:dd:dd", {0, 90, 183, 220, 310, 403, 440, 530}, 18, 16)
              << "\nline: " << row("ttttttttttttt", line, 24, 198)
              << "\nfield: " << row("ttttttt", line, 108, 160) << "\n";
    return 0;
}
