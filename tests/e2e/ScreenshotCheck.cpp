// Reads the time and date off a screenshot of the running clock and compares them with the
// expected clock time. Every glyph is recognised by exact comparison with the embedded
// greyscale maps, tinted here with the default display colour, at the places the clock
// face puts them. Prints what it read and why it fails.
//
// usage: diglux_e2e_check SHOT.png LEFT TOP "YYYY-MM-DD HH:MM:SS" MIN_SECONDS MAX_SECONDS
// LEFT, TOP: the window's place on the screenshot; the last three: the clock time when the
// program started and the range of seconds that may have passed until the screenshot.
//
// usage: diglux_e2e_check --text SHOT.png LEFT TOP [RED GREEN BLUE]
// prints, for the display colour given (default green), the text line and the text field as read
// off the screenshot ("line: ...", "field: ..."); the triangle (code 127) is printed as ">", an
// unreadable cell as "?".
#include "display/GlyphMaps.h"
#include "host/EmbeddedResources.h"
#include "host/linux/PngCodec.h"

#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace diglux {
namespace {

constexpr Rgb kDefaultColor{95, 255, 47};
constexpr Point kPicClk{18, 16};
constexpr Point kPicDat{224, 156};
constexpr int kBigDigitX[] = {0, 90, 220, 310, 440, 530};
constexpr int kColonX[] = {183, 403};
constexpr int kSmallDigitX[] = {0, 45, 115, 160, 230, 275, 320, 365};
constexpr int kPointX[] = {89, 204};
constexpr int kLitPointCell = 2;

std::uint8_t Tint(int color, int level) {
    return static_cast<std::uint8_t>((2 * color * level + 255) / 510); // round(c * l / 255)
}

// One map, tinted, with the size of its visible cell.
struct Glyphs {
    RgbImage tinted;
    int cellWidth = 0;
    int cellHeight = 0;
    int gap = 0;
};

std::optional<Glyphs> LoadGlyphs(MapId id, Rgb color = kDefaultColor) {
    const MapSpec& layout = SpecOf(id);
    const auto bytes = EmbeddedResources().Load("MAPS", layout.name);
    std::string error;
    RgbImage master = LibPngDecoder().DecodePng(bytes, error);
    if (master.Width() != layout.width || master.Height() != layout.height) {
        std::cerr << "map " << layout.name << " unusable: " << error << "\n";
        return std::nullopt;
    }
    for (int y = 0; y < master.Height(); ++y) {
        for (int x = 0; x < master.Width(); ++x) {
            const Rgb grey = master.At(x, y);
            master.Set(x, y, {Tint(color.r, grey.r), Tint(color.g, grey.g), Tint(color.b, grey.b)});
        }
    }
    return Glyphs{std::move(master), layout.width / layout.cols, layout.height / layout.rows,
                  layout.gap};
}

// Pixels of the cell (1-based) that differ from the screenshot at (left, top).
int Mismatches(const Glyphs& glyphs, int cell, const RgbImage& shot, int left, int top) {
    const int cols = glyphs.tinted.Width() / glyphs.cellWidth;
    const int cellLeft = ((cell - 1) % cols) * glyphs.cellWidth;
    const int cellTop = ((cell - 1) / cols) * glyphs.cellHeight;
    int wrong = 0;
    for (int y = 0; y < glyphs.cellHeight - glyphs.gap; ++y) {
        for (int x = 0; x < glyphs.cellWidth - glyphs.gap; ++x) {
            const int sx = left + x;
            const int sy = top + y;
            if (sx >= shot.Width() || sy >= shot.Height() ||
                shot.At(sx, sy) != glyphs.tinted.At(cellLeft + x, cellTop + y)) {
                ++wrong;
            }
        }
    }
    return wrong;
}

// The cell of a map that matches exactly, or 0.
int ReadCell(const Glyphs& glyphs, int cells, const RgbImage& shot, Point at) {
    for (int cell = 1; cell <= cells; ++cell) {
        if (Mismatches(glyphs, cell, shot, at.x, at.y) == 0) {
            return cell;
        }
    }
    return 0;
}

// The digit whose cell (digit + 1) matches exactly, or '?'.
char ReadDigit(const Glyphs& glyphs, const RgbImage& shot, Point at) {
    const int cell = ReadCell(glyphs, 10, shot, at);
    return cell == 0 ? '?' : static_cast<char>('0' + cell - 1);
}

// "DD.MM.YYYY HH:MM:SS" for the start time plus some seconds, in the program's forms.
std::string Expected(const std::string& start, int seconds) {
    std::tm t{};
    if (std::sscanf(start.c_str(), "%d-%d-%d %d:%d:%d", &t.tm_year, &t.tm_mon, &t.tm_mday,
                    &t.tm_hour, &t.tm_min, &t.tm_sec) != 6) {
        return {};
    }
    t.tm_year -= 1900;
    t.tm_mon -= 1;
    t.tm_sec += seconds;
    t.tm_isdst = -1;
    std::mktime(&t); // normalises across minutes, hours and days
    char text[32];
    std::strftime(text, sizeof text, "%d.%m.%Y %H:%M:%S", &t);
    return text;
}

std::string ReadClock(const RgbImage& shot, Point window, bool& pointsOk, bool& colonsOk) {
    const auto big = LoadGlyphs(MapId::PicMap7B);
    const auto small = LoadGlyphs(MapId::PicMap7S);
    const auto bigDots = LoadGlyphs(MapId::PicMapDotsB);
    const auto smallDots = LoadGlyphs(MapId::PicMapDotsS);
    if (!big || !small || !bigDots || !smallDots) {
        return {};
    }
    const Point clk{window.x + kPicClk.x, window.y + kPicClk.y};
    const Point dat{window.x + kPicDat.x, window.y + kPicDat.y};
    std::string time;
    for (const int x : kBigDigitX) {
        time += ReadDigit(*big, shot, {clk.x + x, clk.y});
    }
    std::string date;
    for (const int x : kSmallDigitX) {
        date += ReadDigit(*small, shot, {dat.x + x, dat.y});
    }
    pointsOk = true;
    for (const int x : kPointX) {
        pointsOk = pointsOk && ReadCell(*smallDots, 4, shot, {dat.x + x, dat.y}) == kLitPointCell;
    }
    colonsOk = true; // lit or dark, depending on the blink phase, but always a colon glyph
    for (const int x : kColonX) {
        colonsOk = colonsOk && ReadCell(*bigDots, 4, shot, {clk.x + x, clk.y}) != 0;
    }
    return date.substr(0, 2) + "." + date.substr(2, 2) + "." + date.substr(4) + " " +
           time.substr(0, 2) + ":" + time.substr(2, 2) + ":" + time.substr(4);
}

// The characters of a sixteen-segment display: `count` cells from `at`, 14 pixels apart.
std::string ReadText(const Glyphs& glyphs, const RgbImage& shot, Point at, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        const int cell = ReadCell(glyphs, 96, shot, {at.x + i * 14, at.y});
        text += cell == 0 ? '?' : cell == 96 ? '>' : static_cast<char>(cell + 31);
    }
    return text;
}

RgbImage ReadShot(const char* path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    std::string error;
    RgbImage shot = LibPngDecoder().DecodePng(bytes, error);
    if (shot.Empty()) {
        std::cerr << "cannot read " << path << ": " << error << "\n";
    }
    return shot;
}

int PrintText(int argc, char** argv) {
    Rgb color = kDefaultColor;
    if (argc == 8) {
        color = {static_cast<std::uint8_t>(std::atoi(argv[5])),
                 static_cast<std::uint8_t>(std::atoi(argv[6])),
                 static_cast<std::uint8_t>(std::atoi(argv[7]))};
    }
    const auto glyphs = LoadGlyphs(MapId::PicMap16S, color);
    const RgbImage shot = argc == 5 || argc == 8 ? ReadShot(argv[2]) : RgbImage();
    if (!glyphs || shot.Empty()) {
        return 1;
    }
    const Point window{std::atoi(argv[3]), std::atoi(argv[4])};
    // The line's first character sits 4 pixels into PicT1 (20, 198); the field is PicT2.
    std::cout << "line: " << ReadText(*glyphs, shot, {window.x + 24, window.y + 198}, 13) << "\n";
    std::cout << "field: " << ReadText(*glyphs, shot, {window.x + 108, window.y + 160}, 7) << "\n";
    return 0;
}

int Check(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--text") {
        return PrintText(argc, argv);
    }
    if (argc != 7) {
        std::cerr << "usage: diglux_e2e_check SHOT.png LEFT TOP \"YYYY-MM-DD HH:MM:SS\" "
                     "MIN_SECONDS MAX_SECONDS\n";
        return 2;
    }
    const RgbImage shot = ReadShot(argv[1]);
    if (shot.Empty()) {
        return 1;
    }
    const Point window{std::atoi(argv[2]), std::atoi(argv[3])};
    bool pointsOk = false;
    bool colonsOk = false;
    const std::string shown = ReadClock(shot, window, pointsOk, colonsOk);
    std::cout << "shown: " << shown << "\n";
    const int minSeconds = std::atoi(argv[5]) - 1; // a second either way for the tick
    const int maxSeconds = std::atoi(argv[6]) + 1;
    bool timeOk = false;
    for (int s = minSeconds; s <= maxSeconds && !timeOk; ++s) {
        timeOk = shown == Expected(argv[4], s);
    }
    if (!timeOk) {
        std::cerr << "expected between " << Expected(argv[4], minSeconds) << " and "
                  << Expected(argv[4], maxSeconds) << "\n";
    }
    if (!pointsOk) {
        std::cerr << "the date's points are not the lit point glyph\n";
    }
    if (!colonsOk) {
        std::cerr << "a colon is not a colon glyph\n";
    }
    return timeOk && pointsOk && colonsOk ? 0 : 1;
}

} // namespace
} // namespace diglux

int main(int argc, char** argv) {
    return diglux::Check(argc, argv);
}
