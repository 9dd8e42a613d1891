// The order of start-up and shutdown as the platform sees it, and the refusals.
#include "host/linux/PngCodec.h"
#include "tests/support/ClockFixture.h"

#include <functional>

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
    // The field rolls in from blanks a quarter frame at a time, pausing 12 ms each time.
    EXPECT_GT(host.CallsStartingWith("clock.Sleep 12").size(), 20u);
    // The window has been given the whole face once.
    ASSERT_FALSE(host.window.refreshed.empty());
    EXPECT_EQ(host.window.refreshed.front(), (Rect{0, 0, 654, 238}));
    EXPECT_EQ(host.window.frame, &In().face.Frame());
}

// Every way out stops everything in order and saves the settings before the window goes, once;
// keys that only look alike do not close.
TEST_F(StartupShutdownTest, EveryWayOfClosingStopsEverythingInOrderAndSavesOnce) {
    using Sink = ClockWindowEvents;
    const std::vector<std::pair<std::string, std::function<void(Sink&)>>> ways{
        {"window manager", [](Sink& s) { s.OnCloseRequest(UnloadReason::UserClose); }},
        {"session end", [](Sink& s) { s.OnCloseRequest(UnloadReason::SessionEnd); }},
        {"Esc", [](Sink& s) { s.OnKeyDown(Key::Escape, 0); }},
        {"Alt+F4", [](Sink& s) { s.OnKeyDown(Key::F4, kAlt); }},
        {"close button", [](Sink& s) {
             s.OnMouseMove(0, 0, {640, 10});
             s.OnMouseDown(kLeftButton, 0, {640, 10});
             s.OnMouseUp(kLeftButton, 0, {640, 10});
         }}};
    for (const auto& [name, close] : ways) {
        FakeHost other;
        MainWindow window(other.Bundle());
        ASSERT_EQ(window.Load().outcome, StartupResult::Outcome::Running) << name;
        other.window.sink->OnKeyDown(Key::Escape, kShift); // Shift+Esc is not Esc
        other.window.sink->OnKeyDown(Key::F4, 0);
        EXPECT_FALSE(window.Ended()) << name;
        other.log.clear();
        close(*other.window.sink);
        EXPECT_TRUE(window.Ended()) << name;
        EXPECT_EQ(
            WindowAndTimerCalls(other.log),
            (Calls{"sound.Stop", "window.SetTopmost 0 0", "timers.SetEnabled 1 off",
                   "timers.SetEnabled 2 off", "timers.SetEnabled 3 off", "timers.SetEnabled 4 off",
                   "timers.SetEnabled 4 off", // the forced farewell stops any scroll
                   "clock.Sleep 250", "window.Destroy"}))
            << name;
        const Calls saved = other.CallsStartingWith("registry.SetValue");
        EXPECT_EQ(saved.size(), 22u) << name;
        EXPECT_EQ(saved.back(), "registry.SetValue AutoStart") << name;
        other.log.clear();
        close(*other.window.sink);
        other.window.sink->OnCloseRequest(UnloadReason::UserClose);
        EXPECT_TRUE(other.log.empty()) << name;
    }
}

// A display that has gone away: the same shutdown, but the window is never touched again
// (a server that is gone cannot show the farewell), and the settings are still written.
TEST_F(StartupShutdownTest, LostDisplayShutsDownWithoutTheWindowAndStillSaves) {
    Start();
    host.log.clear();
    clock->OnDisplayLost();
    EXPECT_TRUE(clock->Ended());
    EXPECT_EQ(WindowAndTimerCalls(host.log),
              (Calls{"sound.Stop", "timers.SetEnabled 1 off", "timers.SetEnabled 2 off",
                     "timers.SetEnabled 3 off", "timers.SetEnabled 4 off", "clock.Sleep 250"}));
    EXPECT_EQ(host.CallsStartingWith("registry.SetValue").size(), 22u);
    host.log.clear();
    clock->OnDisplayLost();
    EXPECT_TRUE(host.log.empty());
}

// A glyph map that cannot serve is refused by its name, before the window is shown.
TEST_F(StartupShutdownTest, UnusableMapsAreRefusedByName) {
    RgbImage colourful(736, 66, {128, 128, 128});
    for (int i = 0; i < 257; ++i) {
        colourful.Set(i, 0,
                      {static_cast<std::uint8_t>(i % 256), static_cast<std::uint8_t>(i / 256), 9});
    }
    const std::vector<std::tuple<std::string, std::vector<std::uint8_t>, std::string>> cases{
        {"PICMAP7S", EncodeGreyPng(10, 12, std::vector<std::uint8_t>(10 * 12, 128)),
         "glyph map PicMap7S is 10 x 12 pixels; it must be 736 x 66"},
        {"PICMAP7S", EncodeRgbPng(colourful),
         "glyph map PicMap7S has more than 256 colours; a map that is tinted may have at most 256"},
        {"PICBUT", {1, 2, 3}, "glyph map PicBut cannot be read: not a PNG file"}};
    for (const auto& [name, bytes, error] : cases) {
        FakeHost other;
        other.resources.Override("MAPS", name, bytes);
        MainWindow window(other.Bundle());
        const StartupResult result = window.Load();
        EXPECT_EQ(result.outcome, StartupResult::Outcome::Failed) << error;
        EXPECT_EQ(result.error, error);
        EXPECT_TRUE(other.CallsStartingWith("window.Show").empty()) << error;
    }
}

} // namespace
} // namespace diglux::test
