#include "ClockFixture.h"

#include <cmath>
#include <stdexcept>

namespace diglux::test {

RgbImage LoadMaster(MapId id) {
    EmbeddedResources resources;
    LibPngDecoder decoder;
    std::string error;
    return decoder.DecodePng(resources.Load("MAPS", SpecOf(id).name), error);
}

RgbImage TintedReference(const RgbImage& master, Rgb color) {
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

::testing::AssertionResult GlyphMatches(const Surface& surface, int x, int y, const RgbImage& map,
                                        MapId id, int cell) {
    const MapSpec& layout = SpecOf(id);
    const int cellWidth = layout.width / layout.cols;
    const int cellHeight = layout.height / layout.rows;
    const int left = ((cell - 1) % layout.cols) * cellWidth;
    const int top = ((cell - 1) / layout.cols) * cellHeight;
    for (int dy = 0; dy < cellHeight - layout.gap; ++dy) {
        for (int dx = 0; dx < cellWidth - layout.gap; ++dx) {
            const Rgb want = map.At(left + dx, top + dy);
            const Rgb got = surface.Pixels().At(x + dx, y + dy);
            if (want != got) {
                return ::testing::AssertionFailure()
                       << surface.Name() << " at (" << x + dx << ", " << y + dy << ") is ("
                       << int(got.r) << ", " << int(got.g) << ", " << int(got.b) << "), cell "
                       << cell << " of " << layout.name << " has (" << int(want.r) << ", "
                       << int(want.g) << ", " << int(want.b) << ")";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

void ClockFixture::Start() {
    clock = std::make_unique<MainWindow>(host.Bundle());
    const StartupResult result = clock->Load();
    if (result.outcome != StartupResult::Outcome::Running) {
        // Thrown so that the test stops here; GoogleTest reports it as a failure.
        throw std::runtime_error("the clock did not start: " + result.error);
    }
}

void ClockFixture::TickAfter(int seconds) {
    host.clock.AdvanceSeconds(seconds);
    clock->Timer1_Timer();
}

} // namespace diglux::test
