// The window's stored positions, one per desktop orientation, and the countdown that saves the
// position after a drag.
#include "tests/support/ClockFixture.h"

namespace diglux::test {
namespace {

class WindowPlacementTest : public ClockFixture {
  protected:
    void SetUp() override { Start(); }
    std::string Stored(const std::string& name) {
        return In().store.GetSettingText(name, "<none>");
    }
};

TEST_F(WindowPlacementTest, PositionsOfBothOrientationsAreIndependent) {
    WindowPlacement& placement = In().placement;
    host.window.rect = {100, 200, 654, 238};
    placement.SaveOrientation();
    host.desktop.desktop = {0, 0, 1080, 1920};
    host.window.rect = {300, 400, 654, 238};
    placement.SaveOrientation();
    EXPECT_EQ(Stored("Window.Left.P") + " " + Stored("Window.Top.P"), "300 400");
    host.desktop.desktop = {0, 0, 1920, 1080};
    placement.LoadOrientation();
    EXPECT_EQ(host.window.rect.left, 100);
    EXPECT_EQ(host.window.rect.top, 200);
    // Logical units: the stored pixels times the units per pixel, not rounded.
    In().store.SaveSettingValue("Window.Left", "10.5");
    host.desktop.unitsPerPixel = 15.0;
    host.log.clear();
    placement.LoadOrientation();
    EXPECT_EQ(host.CallsStartingWith("window.Move"), (CallLog{"window.Move 157 3000"}));
}

// A drag's position is written on the second change after next; a pending save holds a load
// back and drops it when it happens.
TEST_F(WindowPlacementTest, SaveCountdownWritesOnTheSecondCallAndDropsAPendingLoad) {
    WindowPlacement& placement = In().placement;
    host.desktop.desktop = {0, 0, 1080, 1920}; // turned: a load is pending
    placement.ChkOrientation();
    placement.Dragged();
    host.window.rect = {50, 60, 654, 238};
    host.log.clear();
    placement.ChkLoadSave();
    EXPECT_TRUE(host.CallsStartingWith("registry.SetValue").empty());
    placement.ChkLoadSave();
    EXPECT_EQ(host.CallsStartingWith("registry.SetValue"),
              (CallLog{"registry.SetValue Window.Top.P", "registry.SetValue Window.Left.P"}));
    placement.ChkLoadSave();
    placement.ChkLoadSave();
    EXPECT_TRUE(host.CallsStartingWith("window.Move").empty());
    EXPECT_TRUE(host.CallsStartingWith("events.").empty());
}

} // namespace
} // namespace diglux::test
