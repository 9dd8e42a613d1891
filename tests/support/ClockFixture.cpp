#include "ClockFixture.h"

#include <cmath>
#include <stdexcept>

namespace diglux::test {

RgbImage TintedMaster(MapId id, Rgb color) {
    std::string error;
    const RgbImage master =
        LibPngDecoder().DecodePng(EmbeddedResources().Load("MAPS", SpecOf(id).name), error);
    RgbImage out(master.Width(), master.Height());
    auto tint = [](int c, int g) { return static_cast<std::uint8_t>(std::lround(c * g / 255.0)); };
    for (int y = 0; y < master.Height(); ++y) {
        for (int x = 0; x < master.Width(); ++x) {
            const Rgb m = master.At(x, y);
            out.Set(x, y, {tint(color.r, m.r), tint(color.g, m.g), tint(color.b, m.b)});
        }
    }
    return out;
}

::testing::AssertionResult ShowsCells(const Surface& surface, const std::vector<int>& xs,
                                      const RgbImage& map, MapId id,
                                      const std::vector<int>& cells) {
    const MapSpec& layout = SpecOf(id);
    const int width = layout.width / layout.cols;
    const int height = layout.height / layout.rows;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const int left = ((cells[i] - 1) % layout.cols) * width;
        const int top = ((cells[i] - 1) / layout.cols) * height;
        for (int dy = 0; dy < height - layout.gap; ++dy) {
            for (int dx = 0; dx < width - layout.gap; ++dx) {
                const Rgb want = map.At(left + dx, top + dy);
                const Rgb got = surface.Pixels().At(xs[i] + dx, dy);
                if (want != got) {
                    return ::testing::AssertionFailure()
                           << surface.Name() << " glyph " << i + 1 << " differs at (" << xs[i] + dx
                           << ", " << dy << ") from cell " << cells[i] << " of " << layout.name;
                }
            }
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult ShowsText(const Surface& surface, int x0, const std::string& text) {
    static const RgbImage glyphs = TintedMaster(MapId::PicMap16S, kDefaultGreen);
    std::vector<int> xs;
    std::vector<int> cells;
    for (std::size_t i = 0; i < text.size(); ++i) {
        xs.push_back(x0 + static_cast<int>(i) * 14);
        cells.push_back(static_cast<unsigned char>(text[i]) - 31);
    }
    return ShowsCells(surface, xs, glyphs, MapId::PicMap16S, cells) << " (\"" << text << "\")";
}

void ClockFixture::Start() {
    clock = std::make_unique<MainWindow>(host.Bundle());
    const StartupResult result = clock->Load();
    if (result.outcome != StartupResult::Outcome::Running) {
        throw std::runtime_error("the clock did not start: " + result.error);
    }
}

void ClockFixture::TickAfter(int seconds) {
    host.clock.AdvanceSeconds(seconds);
    In().tick.Timer1_Timer();
}

void ClockFixture::RunSeconds(int seconds) {
    for (int i = 0; i < seconds; ++i) {
        TickAfter(1);
        TickAfter(0);
    }
}

std::string ClockFixture::Press(Key key, int shift) {
    host.window.sink->OnKeyDown(key, shift);
    std::string line = In().text.Text1Shown();
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

} // namespace diglux::test
