// The clock window on a real X display: placement, input as the core sees it, the close
// request, window-manager states and repaints that touch only the area asked for.
#include "host/linux/FltkClockWindow.h"
#include "host/linux/FltkDesktop.h"
#include "host/linux/PngCodec.h"
#include "tests/host/XTestSession.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace diglux {
namespace {

using test::PumpUntil;
using test::RunCommand;

class RecordingSink final : public ClockWindowEvents {
  public:
    void OnKeyDown(int keyCode, int shift) override {
        Add("key " + std::to_string(keyCode) + " " + std::to_string(shift));
    }
    void OnMouseDown(int button, int shift, Point p) override {
        AddPointer("down", button, shift, p);
    }
    void OnMouseMove(int button, int shift, Point p) override {
        AddPointer("move", button, shift, p);
    }
    void OnMouseUp(int button, int shift, Point p) override { AddPointer("up", button, shift, p); }
    void OnCloseRequest(UnloadReason reason) override {
        Add("close " + std::to_string(static_cast<int>(reason)));
    }

    std::vector<std::string> events;

  private:
    void Add(std::string event) { events.push_back(std::move(event)); }
    void AddPointer(const char* what, int button, int shift, Point p) {
        Add(std::string(what) + " " + std::to_string(button) + " " + std::to_string(shift) + " " +
            std::to_string(p.x) + "," + std::to_string(p.y));
    }
};

// True when wanted appears in events in this order, other events in between allowed.
bool ContainsInOrder(const std::vector<std::string>& events,
                     const std::vector<std::string>& wanted) {
    auto next = wanted.begin();
    for (const std::string& event : events) {
        if (next != wanted.end() && event == *next) {
            ++next;
        }
    }
    return next == wanted.end();
}

class FltkClockWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        DIGLUX_REQUIRE_X_DISPLAY();
        frame_ = RgbImage(FltkClockWindow::kWidth, FltkClockWindow::kHeight, kRed);
        window_.emplace();
        window_->SetEventSink(&sink_);
        window_->AttachFrame(&frame_);
        window_->Move(32, 32);
        window_->Show();
        ASSERT_TRUE(PumpUntil([this] { return Info().find("IsViewable") != std::string::npos; }));
        test::PumpFor(150); // let the window manager settle and the first paint happen
    }

    std::string Id() const { return std::to_string(window_->NativeId()); }
    std::string Info() const { return RunCommand("xwininfo -id " + Id() + " 2>/dev/null"); }
    std::string States() const {
        return RunCommand("xprop -id " + Id() + " _NET_WM_STATE 2>/dev/null");
    }
    bool HasState(const char* state) const { return States().find(state) != std::string::npos; }
    bool WaitForEvents(std::size_t count) {
        return PumpUntil([&] { return sink_.events.size() >= count; });
    }

    Point AbsolutePosition() const {
        const std::string info = Info();
        Point p{-1, -1};
        std::sscanf(info.c_str() + info.find("Absolute upper-left X:"), "Absolute upper-left X: %d",
                    &p.x);
        std::sscanf(info.c_str() + info.find("Absolute upper-left Y:"), "Absolute upper-left Y: %d",
                    &p.y);
        return p;
    }

    RgbImage Screenshot() const {
        const std::string file = "/tmp/diglux-window-" + std::to_string(getpid()) + ".png";
        RunCommand("import -window " + Id() + " png:" + file + " 2>/dev/null");
        std::ifstream in(file, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        std::filesystem::remove(file);
        std::string error;
        return LibPngDecoder().DecodePng(bytes, error);
    }

    static constexpr Rgb kRed{255, 0, 0};
    static constexpr Rgb kBlue{0, 0, 255};
    RgbImage frame_;
    RecordingSink sink_;
    std::optional<FltkClockWindow> window_;
};

TEST_F(FltkClockWindowTest, AppearsBorderlessAtItsPositionWithClassAndCaption) {
    EXPECT_TRUE(window_->IsVisible());
    EXPECT_EQ(AbsolutePosition(), (Point{32, 32}));
    EXPECT_EQ(window_->ScreenRect(), (Rect{32, 32, 654, 238}));
    const std::string props = RunCommand("xprop -id " + Id() + " WM_CLASS WM_NAME WM_NORMAL_HINTS");
    EXPECT_NE(props.find("\"Diglux\""), std::string::npos) << props;
    EXPECT_NE(props.find("minimum size: 654 by 238"), std::string::npos) << props;
    EXPECT_NE(props.find("maximum size: 654 by 238"), std::string::npos) << props;

    window_->Move(100.5, 201.5); // logical units; halves go to the even pixel
    EXPECT_EQ(window_->ScreenRect(), (Rect{100, 202, 654, 238}));
    EXPECT_TRUE(PumpUntil([this] { return AbsolutePosition() == Point{100, 202}; }));
}

TEST_F(FltkClockWindowTest, KeysArriveAsVirtualKeysAndEscapeDoesNotClose) {
    RunCommand("xdotool key --window " + Id() +
               " Escape a shift+b F4 alt+F4 Control_L ctrl+Return");
    ASSERT_TRUE(WaitForEvents(6));
    test::PumpFor(100);
    const std::vector<std::string> expected{"key 27 0",  "key 65 0",  "key 66 1",
                                            "key 115 0", "key 115 4", "key 13 2"};
    EXPECT_EQ(sink_.events, expected);
    EXPECT_TRUE(window_->IsVisible());
}

TEST_F(FltkClockWindowTest, PointerEventsCarryButtonAndClientPosition) {
    // In the background, so that the event loop runs between the steps as it would for a
    // real hand on the mouse.
    RunCommand("(xdotool mousemove --window " + Id() +
               " 100 50 sleep 0.2 mousedown 1 sleep 0.2 mousemove --window " + Id() +
               " 110 60 sleep 0.2 mouseup 1 sleep 0.2 click 3) >/dev/null 2>&1 &");
    ASSERT_TRUE(PumpUntil([this] { return ContainsInOrder(sink_.events, {"up 2 0 110,60"}); }))
        << ::testing::PrintToString(sink_.events);
    EXPECT_TRUE(
        ContainsInOrder(sink_.events, {"down 1 0 100,50", "move 1 0 110,60", "up 1 0 110,60",
                                       "down 2 0 110,60", "up 2 0 110,60"}))
        << ::testing::PrintToString(sink_.events);
}

TEST_F(FltkClockWindowTest, ACloseRequestFromOutsideReachesTheCoreOnly) {
    FltkDesktop desktop;
    EXPECT_TRUE(desktop.WindowWithCaptionExists("Diglux"));
    EXPECT_FALSE(desktop.WindowWithCaptionExists("Diglu"));
    EXPECT_FALSE(desktop.CloseWindowWithCaption("Kein Fenster"));
    EXPECT_TRUE(desktop.CloseWindowWithCaption("Diglux"));
    ASSERT_TRUE(WaitForEvents(1));
    EXPECT_EQ(sink_.events.front(), "close 0");
    test::PumpFor(100);
    EXPECT_TRUE(window_->IsVisible()) << "only the core decides to close";

    window_->Destroy();
    EXPECT_FALSE(window_->IsVisible());
    window_->Show();
    EXPECT_FALSE(window_->IsVisible()) << "a destroyed window stays closed";
}

TEST_F(FltkClockWindowTest, TopmostAndTaskbarButtonFollowRequestsAndSurviveHiding) {
    EXPECT_TRUE(HasState("_NET_WM_STATE_SKIP_TASKBAR")) << "borderless windows start without one";
    window_->SetTaskbarButton(true);
    EXPECT_TRUE(PumpUntil([this] { return !HasState("_NET_WM_STATE_SKIP_TASKBAR"); }));
    window_->SetTopmost(true, false);
    EXPECT_TRUE(PumpUntil([this] { return HasState("_NET_WM_STATE_ABOVE"); }));

    window_->Hide();
    EXPECT_FALSE(window_->IsVisible());
    window_->Show();
    ASSERT_TRUE(PumpUntil([this] { return Info().find("IsViewable") != std::string::npos; }));
    EXPECT_TRUE(PumpUntil([this] {
        return HasState("_NET_WM_STATE_ABOVE") && !HasState("_NET_WM_STATE_SKIP_TASKBAR");
    })) << States();
    EXPECT_EQ(AbsolutePosition(), (Point{32, 32}));

    window_->SetTopmost(false, true);
    window_->SetTaskbarButton(false);
    EXPECT_TRUE(PumpUntil([this] {
        return !HasState("_NET_WM_STATE_ABOVE") && HasState("_NET_WM_STATE_SKIP_TASKBAR");
    })) << States();

    window_->Hide();
    window_->SetTopmost(true, true); // shows a hidden window, as the request always does
    EXPECT_TRUE(window_->IsVisible());
    EXPECT_TRUE(PumpUntil([this] { return HasState("_NET_WM_STATE_ABOVE"); }));
}

TEST_F(FltkClockWindowTest, RefreshPushesOnlyTheAreaAskedFor) {
    RgbImage shot = Screenshot();
    ASSERT_EQ(shot.Width(), FltkClockWindow::kWidth);
    EXPECT_EQ(shot.At(10, 10), kRed);
    EXPECT_EQ(shot.At(653, 237), kRed);

    frame_.Fill(kBlue);
    window_->Refresh({0, 0, 100, 100});
    window_->Refresh({600, 200, 100, 100}); // reaches past the window
    test::PumpFor(100);
    shot = Screenshot();
    EXPECT_EQ(shot.At(0, 0), kBlue);
    EXPECT_EQ(shot.At(99, 99), kBlue);
    EXPECT_EQ(shot.At(100, 99), kRed);
    EXPECT_EQ(shot.At(300, 150), kRed);
    EXPECT_EQ(shot.At(600, 200), kBlue);
    EXPECT_EQ(shot.At(653, 237), kBlue);
    EXPECT_EQ(shot.At(599, 237), kRed);
}

} // namespace
} // namespace diglux
