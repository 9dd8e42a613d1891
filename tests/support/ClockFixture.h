// A started clock on the fake host, and the expected pixels of glyphs computed straight from
// the master maps (independently of the program's own tinting code).
#pragma once

#include "app/MainWindow.h"
#include "display/ClockFace.h"
#include "display/GlyphMaps.h"
#include "display/TextDisplay.h"
#include "tests/support/FakeHost.h"

#include <gtest/gtest.h>

#include <memory>

namespace diglux::test {

// The master map, decoded from the embedded PNG.
RgbImage LoadMaster(MapId id);
// The master tinted with round(c x g / 255) in floating point.
RgbImage TintedReference(const RgbImage& master, Rgb color);

// Whether the glyph area at (x, y) of the surface equals cell `cell` of the map (without its
// separator); on a mismatch the message names the first differing pixel.
::testing::AssertionResult GlyphMatches(const Surface& surface, int x, int y, const RgbImage& map,
                                        MapId id, int cell);

class ClockFixture : public ::testing::Test {
  protected:
    // Builds the clock at the host's current fake time and runs its start-up; throws when
    // start-up fails.
    void Start();
    // Moves the fake clock on by whole seconds (0 for none), then runs one Timer1 tick.
    void TickAfter(int seconds);
    Rgb DefaultGreen() const { return {95, 255, 47}; }

    FakeHost host;
    std::unique_ptr<MainWindow> clock;
};

} // namespace diglux::test
