// A started clock on the fake host, and the expected pixels of glyphs computed straight from
// the master maps (independently of the program's own tinting code).
#pragma once

#include "app/MainWindow.h"
#include "app/MainWindowParts.h"
#include "tests/support/FakeHost.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace diglux::test {

inline constexpr Rgb kDefaultGreen{95, 255, 47};

// The master map, decoded from the embedded PNG, tinted with round(c x g / 255) computed in
// floating point (white keeps the master).
RgbImage TintedMaster(MapId id, Rgb color = {255, 255, 255});

// Whether the glyphs at the x positions (y = 0) of the surface show those cells of the map;
// on a mismatch the message names the glyph and its first differing pixel.
::testing::AssertionResult ShowsCells(const Surface& surface, const std::vector<int>& xs,
                                      const RgbImage& map, MapId id, const std::vector<int>& cells);
// Whether the characters from x0 on, 14 pixels apart, show the text in the default green.
::testing::AssertionResult ShowsText(const Surface& surface, int x0, const std::string& text);

class ClockFixture : public ::testing::Test {
  protected:
    // Builds the clock at the host's current fake time and runs its start-up; fails the test
    // (by throwing) when start-up does not succeed.
    void Start();
    // Moves the fake clock on by whole seconds (0 for none), then runs one Timer1 tick.
    void TickAfter(int seconds);
    // Moves on by whole seconds, each with the tick that notices it and its first redraw.
    void RunSeconds(int seconds);
    // Presses a key and returns the text line without its padding.
    std::string Press(Key key, int shift = 0);
    MainWindow::Parts& In() { return clock->Inside(); }
    // A stored setting's text, "<none>" when it is missing.
    std::string Stored(const std::string& name) {
        return In().store.GetSettingText(name, "<none>");
    }

    FakeHost host;
    std::unique_ptr<MainWindow> clock;
};

// The clock started at the fake host's time before each test.
class StartedClock : public ClockFixture {
  protected:
    void SetUp() override { Start(); }
};

} // namespace diglux::test
