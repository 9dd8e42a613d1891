// Dragging with magnetic edges, the close button under the pointer, clicks on display
// elements, and the stored positions of the window, one for each desktop orientation.
#include "tests/support/ClockFixture.h"

namespace diglux::test {
namespace {

class PointerTest : public ClockFixture {
  protected:
    ClockWindowEvents& Sink() { return *host.window.sink; }
    // Drags from a point of the window by an offset with the left button.
    void Drag(Point from, int dx, int dy) {
        Sink().OnMouseMove(0, 0, from);
        Sink().OnMouseDown(kLeftButton, 0, from);
        Sink().OnMouseMove(kLeftButton, 0, {from.x + dx, from.y + dy});
    }
    // Points the pointer at a window pixel and clicks there.
    void ClickAt(int button, Point client) {
        const Rect r = host.window.ScreenRect();
        host.desktop.pointer = {r.left + client.x, r.top + client.y};
        Sink().OnMouseDown(button, 0, client);
        Sink().OnMouseUp(button, 0, client);
    }
};

// The window follows the pointer; within the magnet's distance of a screen edge, or of a bottom
// taskbar's inner edge, it snaps to it.
TEST_F(PointerTest, DraggingFollowsThePointerAndSnapsWithinTheDistance) {
    Start();
    const std::vector<std::tuple<Point, int, int, Point>> drags{
        {{100, 100}, -95, 0, {0, 100}},     // left edge 5 pixels from the screen edge: snaps
        {{100, 100}, -94, 0, {6, 100}},     // 6 pixels: stays
        {{100, 700}, 0, 110, {100, 802}},   // bottom at 1048, the taskbar's edge at 1040
        {{100, 100}, -150, 0, {-50, 100}}}; // no magnet: partly off the screen
    for (const auto& [start, dx, dy, end] : drags) {
        In().settings.Dock = end.x < 0 ? 0 : 5;
        host.window.Move(start.x, start.y);
        Drag({300, 100}, dx, dy);
        EXPECT_EQ(Point(host.window.rect.left, host.window.rect.top), end);
    }
}

TEST_F(PointerTest, TwipsSnapAtExactlyTheDistance) {
    host.desktop.unitsPerPixel = 15.0;
    Start();
    In().settings.Dock = 5;
    host.window.rect = {10, 10, 654, 238};
    host.log.clear();
    // The pointer moves in pixels; the window is placed in twips (150 = 10 pixels).
    Sink().OnMouseMove(0, 0, {20, 20});
    Sink().OnMouseMove(kLeftButton, 0, {15, 20}); // 75 twips from the edge: snaps
    EXPECT_EQ(host.CallsStartingWith("window.Move").at(0), "window.Move 0 150");
}

TEST_F(PointerTest, CloseButtonShowsPressesAndCloses) {
    Start();
    const RgbImage button = TintedMaster(MapId::PicBut);
    const auto shows = [&](int cell) {
        return ShowsCells(In().face.PicX(), {0}, button, MapId::PicBut, {cell});
    };
    Sink().OnMouseMove(0, 0, {630, 8});
    EXPECT_TRUE(In().face.PicX().Visible());
    EXPECT_TRUE(shows(3));
    EXPECT_EQ(In().face.Frame().At(630, 8), In().face.PicX().Pixels().At(14, 7));
    Sink().OnMouseMove(0, 0, {600, 8});
    EXPECT_FALSE(In().face.PicX().Visible());
    In().face.Compose(); // hidden, it shows what lies below again
    EXPECT_EQ(In().face.Frame().At(630, 8), In().face.Form().Pixels().At(630, 8));
    Sink().OnMouseMove(0, 0, {653, 16}); // the edges count as inside
    Sink().OnMouseDown(kLeftButton, 0, {653, 16});
    EXPECT_TRUE(shows(4));
    // The pressed button keeps the pointer: sliding off drags nothing, and the release closes
    // wherever it happens.
    const Rect before = host.window.rect;
    Sink().OnMouseMove(kLeftButton, 0, {-300, 400});
    EXPECT_FALSE(clock->Ended());
    EXPECT_EQ(host.window.rect, before);
    Sink().OnMouseUp(kLeftButton, 0, {-300, 400});
    EXPECT_TRUE(clock->Ended());
}

TEST_F(PointerTest, ClicksOnDisplayElementsActAsKeys) {
    Start();
    ClickAt(kLeftButton, {20 + 30, 156 + 10}); // the note icon: S
    EXPECT_FALSE(In().settings.Signal);
    ClickAt(kLeftButton, {20 + 2, 156 + 2}); // the bell: F9
    EXPECT_TRUE(In().settings.Alarm_Enabled);
    ClickAt(kLeftButton, {150, 165}); // the text field cycles what it shows
    EXPECT_EQ(In().settings.Text_2, 2);
    EXPECT_EQ(In().text.Text1Shown(), "INFO: ALARM  ");
    EXPECT_EQ(In().text.T2Shown(), " 00:00 ");
    for (const std::int16_t handStored : {-2, 4, 32767}) { // shows nothing, so the next is 1
        In().settings.Text_2 = handStored;
        ClickAt(kLeftButton, {150, 165});
        EXPECT_EQ(In().text.Text1Shown(), "INFO: K-WOCHE");
    }
    ClickAt(kRightButton, {300, 60}); // the time: speak it
    EXPECT_TRUE(In().text.Scrolling());
}

TEST_F(PointerTest, PositionsOfBothOrientationsAreIndependent) {
    Start();
    WindowPlacement& placement = In().placement;
    host.window.rect = {100, 200, 654, 238};
    placement.SaveOrientation();
    host.desktop.desktop = {0, 0, 1080, 1920};
    host.window.rect = {300, 400, 654, 238};
    placement.SaveOrientation();
    EXPECT_EQ(Stored("Window.Left.P") + " " + Stored("Window.Top.P"), "300 400");
    host.desktop.desktop = {0, 0, 1920, 1080};
    placement.LoadOrientation();
    EXPECT_EQ(host.window.rect, (Rect{100, 200, 654, 238}));
    // Logical units: the stored pixels times the units per pixel, not rounded.
    In().store.SaveSettingValue("Window.Left", "10.5");
    host.desktop.unitsPerPixel = 15.0;
    host.log.clear();
    placement.LoadOrientation();
    EXPECT_EQ(host.CallsStartingWith("window.Move"), (CallLog{"window.Move 157 3000"}));
    In().store.SaveSettingValue("Window.Top", "-99999999999999999999"); // beyond any screen
    host.desktop.unitsPerPixel = 1.0;
    placement.LoadOrientation();
    EXPECT_EQ(host.window.rect.top, -32768);
}

// A drag's position is written on the second change after next; a pending save holds a load
// back and drops it when it happens.
TEST_F(PointerTest, SaveCountdownWritesOnTheSecondCallAndDropsAPendingLoad) {
    Start();
    WindowPlacement& placement = In().placement;
    host.desktop.desktop = {0, 0, 1080, 1920}; // turned: a load is pending
    placement.ChkOrientation();
    Drag({300, 100}, -250, -40);
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
