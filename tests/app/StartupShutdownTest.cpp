// The order of start-up and shutdown as the platform sees it, and the refusals.
#include "host/linux/PngCodec.h"
#include "tests/support/ClockFixture.h"

namespace diglux::test {
namespace {

using Calls = std::vector<std::string>;

// The window, timer, sound and sleep calls, without the 12 ms pauses of the text field's roll.
Calls WindowAndTimerCalls(const CallLog& log) {
    Calls calls;
    for (const std::string& entry : log) {
        if (entry == "clock.Sleep 12") {
            continue;
        }
        if (entry.rfind("window.", 0) == 0 || entry.rfind("timers.", 0) == 0 ||
            entry.rfind("sound.", 0) == 0 || entry.rfind("clock.", 0) == 0) {
            calls.push_back(entry);
        }
    }
    return calls;
}

class StartupShutdownTest : public ClockFixture {};

TEST_F(StartupShutdownTest, FirstStartPlacesTheWindowStartsTheTimersAndTheWelcome) {
    Start();
    // The scroll timer (4) runs for the welcome text, started after the window is shown.
    EXPECT_EQ(WindowAndTimerCalls(host.log),
              (Calls{"window.Move 32 32", "window.EnableDropShadow", "timers.SetEnabled 1 on",
                     "timers.SetEnabled 2 on", "window.SetTaskbarButton 0", "window.Show",
                     "timers.SetEnabled 4 on"}));
    EXPECT_EQ(host.timers.IntervalOf(1), 100);
    EXPECT_EQ(host.timers.IntervalOf(2), 500);
    EXPECT_EQ(host.timers.IntervalOf(4), 5);
    EXPECT_FALSE(host.timers.IsEnabled(3));
    // The field rolls in from blanks a quarter frame at a time, pausing 12 ms each time.
    EXPECT_GT(host.CallsStartingWith("clock.Sleep 12").size(), 20u);
    const ClockState& s = clock->State();
    EXPECT_EQ(s.MakerName, "Tandemark");
    EXPECT_EQ(s.ProductName, "Diglux");
    EXPECT_EQ(s.VersionText, "1.00");
    EXPECT_FALSE(s.Alarm_Enabled);
    EXPECT_TRUE(s.Signal);
    EXPECT_EQ(s.SagZeit_Start, 10);
    EXPECT_EQ(s.SagZeit_Ende, 22);
    EXPECT_EQ(s.DigitLimits, (std::array<int, 4>{2, 9, 5, 9}));
    EXPECT_EQ(s.VoiceResType, "VOICE1");
    EXPECT_EQ(s.SoundResType, "SOUNDS");
    EXPECT_TRUE(s.DisplayValid);
    EXPECT_FALSE(s.ColorDirty);
    // The window has been given the whole face once.
    ASSERT_FALSE(host.window.refreshed.empty());
    EXPECT_EQ(host.window.refreshed.front(), (Rect{0, 0, 654, 238}));
    EXPECT_EQ(host.window.frame, &clock->Face().Frame());
}

TEST_F(StartupShutdownTest, PortraitDesktopStartsWithOrientationOne) {
    host.desktop.desktop = {0, 0, 1080, 1920};
    host.desktop.unitsPerPixel = 15.0;
    Start();
    EXPECT_EQ(clock->State().OrientationIndex, 1);
    EXPECT_EQ(host.CallsStartingWith("window.Move"), (Calls{"window.Move 480 480"}));
}

TEST_F(StartupShutdownTest, ClosingStopsEverythingInOrderAndEndsOnce) {
    Start();
    TickAfter(1);
    host.log.clear();
    host.window.sink->OnCloseRequest(UnloadReason::SessionEnd);
    EXPECT_EQ(
        WindowAndTimerCalls(host.log),
        (Calls{"sound.Stop", "window.SetTopmost 0 0", "timers.SetEnabled 1 off",
               "timers.SetEnabled 2 off", "timers.SetEnabled 3 off", "timers.SetEnabled 4 off",
               "timers.SetEnabled 4 off", // the forced farewell stops any scroll
               "clock.Sleep 250", "window.Destroy"}));
    EXPECT_EQ(clock->State().LastDrawnHour, 9);
    EXPECT_TRUE(clock->Ended());
    host.log.clear();
    host.window.sink->OnCloseRequest(UnloadReason::UserClose);
    EXPECT_TRUE(host.log.empty());
}

TEST_F(StartupShutdownTest, EscapeAndAltF4CloseOtherKeysDoNot) {
    Start();
    host.window.sink->OnKeyDown(27, 1); // Shift+Esc is not Esc
    host.window.sink->OnKeyDown(115, 0);
    EXPECT_FALSE(clock->Ended());
    host.window.sink->OnKeyDown(115, 4);
    EXPECT_TRUE(clock->Ended());

    FakeHost other;
    MainWindow second(other.Bundle());
    ASSERT_EQ(second.Load().outcome, StartupResult::Outcome::Running);
    other.window.sink->OnKeyDown(27, 0);
    EXPECT_TRUE(second.Ended());
}

TEST_F(StartupShutdownTest, MapOfTheWrongSizeIsRefusedByName) {
    const std::vector<std::uint8_t> grey(10 * 12, 128);
    host.resources.Override("MAPS", "PICMAP7S", EncodeGreyPng(10, 12, grey));
    MainWindow window(host.Bundle());
    const StartupResult result = window.Load();
    EXPECT_EQ(result.outcome, StartupResult::Outcome::Failed);
    EXPECT_EQ(result.error, "glyph map PicMap7S is 10 x 12 pixels; it must be 736 x 66");
    EXPECT_TRUE(host.CallsStartingWith("window.Show").empty());
}

TEST_F(StartupShutdownTest, ATintedMapOfMoreThan256ColoursIsRefusedByName) {
    RgbImage map(736, 66, {128, 128, 128});
    for (int i = 0; i < 257; ++i) {
        map.Set(i, 0, {static_cast<std::uint8_t>(i % 256), static_cast<std::uint8_t>(i / 256), 9});
    }
    host.resources.Override("MAPS", "PICMAP7S", EncodeRgbPng(map));
    MainWindow window(host.Bundle());
    const StartupResult result = window.Load();
    EXPECT_EQ(result.outcome, StartupResult::Outcome::Failed);
    EXPECT_EQ(result.error, "glyph map PicMap7S has more than 256 colours; a map that is "
                            "tinted may have at most 256");
}

TEST_F(StartupShutdownTest, UnreadableOrMissingMapIsRefusedByName) {
    host.resources.Override("MAPS", "PICBUT", {1, 2, 3});
    MainWindow window(host.Bundle());
    const StartupResult result = window.Load();
    EXPECT_EQ(result.outcome, StartupResult::Outcome::Failed);
    EXPECT_EQ(result.error, "glyph map PicBut cannot be read: not a PNG file");
}

} // namespace
} // namespace diglux::test
