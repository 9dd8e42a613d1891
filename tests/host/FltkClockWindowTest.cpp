// The clock window on a real X display: placement, input as the core sees it, the close
// request, the taskbar state and repaints that touch only the area asked for. And the
// translation of keys and buttons: FLTK key codes are X keysyms, written out here as the X
// protocol numbers them, so the table is checked against an independent source.
#include "host/linux/FltkClockWindow.h"
#include "host/linux/FltkDesktop.h"
#include "host/linux/FltkInputMap.h"
#include "host/linux/FltkMessageBox.h"
#include "host/linux/PngCodec.h"
#include "tests/host/HostTestSupport.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace diglux {
namespace {

using test::PumpUntil;
using test::RunCommand;

class RecordingSink final : public ClockWindowEvents {
  public:
    void OnKeyDown(Key key, int shift) override { Add("key", static_cast<int>(key), shift); }
    void OnMouseDown(int button, int shift, Point p) override { Add("down", button, shift, p); }
    void OnMouseMove(int button, int shift, Point p) override { Add("move", button, shift, p); }
    void OnMouseUp(int button, int shift, Point p) override { Add("up", button, shift, p); }
    void OnCloseRequest(UnloadReason reason) override {
        events.push_back("close " + std::to_string(static_cast<int>(reason)));
    }

    std::vector<std::string> events;

  private:
    void Add(const char* what, int a, int b, std::optional<Point> p = std::nullopt) {
        std::string event = std::string(what) + " " + std::to_string(a) + " " + std::to_string(b);
        if (p) {
            event += " " + std::to_string(p->x) + "," + std::to_string(p->y);
        }
        events.push_back(event);
    }
};

// True when wanted appears in events in this order, other events in between allowed.
bool ContainsInOrder(const std::vector<std::string>& events,
                     const std::vector<std::string>& wanted) {
    auto next = wanted.begin();
    for (const std::string& event : events) {
        next += next != wanted.end() && event == *next ? 1 : 0;
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
        ASSERT_TRUE(PumpUntil([this] { return Viewable(); }));
        test::PumpFor(150); // let the window manager settle and the first paint happen
    }

    std::string Id() const { return std::to_string(window_->NativeId()); }
    std::string Info() const { return RunCommand("xwininfo -id " + Id() + " 2>/dev/null"); }
    bool Viewable() const { return Info().find("IsViewable") != std::string::npos; }
    std::string States() const {
        return RunCommand("xprop -id " + Id() + " _NET_WM_STATE 2>/dev/null");
    }
    bool HasState(const char* state) const { return States().find(state) != std::string::npos; }

    Point AbsolutePosition() const {
        const std::string info = Info();
        const std::size_t at = info.find("Absolute upper-left X:");
        Point p{-1, -1};
        if (at != std::string::npos) {
            std::sscanf(info.c_str() + at, "Absolute upper-left X: %d Absolute upper-left Y: %d",
                        &p.x, &p.y);
        }
        return p;
    }

    RgbImage Screenshot() const {
        const std::string png = RunCommand("import -window " + Id() + " png:- 2>/dev/null");
        std::string error;
        return LibPngDecoder().DecodePng(std::vector<std::uint8_t>(png.begin(), png.end()), error);
    }

    static constexpr Rgb kRed{255, 0, 0};
    static constexpr Rgb kBlue{0, 0, 255};
    RgbImage frame_;
    RecordingSink sink_;
    std::optional<FltkClockWindow> window_;
};

TEST_F(FltkClockWindowTest, AppearsBorderlessAtItsPositionWithClassAndCaption) {
    EXPECT_EQ(AbsolutePosition(), (Point{32, 32}));
    const std::string props = RunCommand("xprop -id " + Id() + " WM_CLASS WM_NAME WM_NORMAL_HINTS");
    EXPECT_NE(props.find("\"Diglux\""), std::string::npos) << props;
    EXPECT_NE(props.find("minimum size: 654 by 238"), std::string::npos) << props;
    EXPECT_NE(props.find("maximum size: 654 by 238"), std::string::npos) << props;

    window_->Move(100.5, 201.5); // logical units; halves go to the even pixel
    EXPECT_EQ(window_->ScreenRect(), (Rect{100, 202, 654, 238}));
    EXPECT_TRUE(PumpUntil([this] { return AbsolutePosition() == Point{100, 202}; }));
}

TEST_F(FltkClockWindowTest, KeysArriveAsTheProgramsKeysAndEscapeDoesNotClose) {
    RunCommand("xdotool key --window " + Id() +
               " Escape a shift+b F4 alt+F4 Control_L ctrl+Return Tab");
    ASSERT_TRUE(PumpUntil([this] { return sink_.events.size() >= 7; }));
    test::PumpFor(100);
    const auto key = [](Key k, int shift) {
        return "key " + std::to_string(static_cast<int>(k)) + " " + std::to_string(shift);
    };
    EXPECT_EQ(sink_.events,
              (std::vector<std::string>{key(Key::Escape, 0), key(Key::A, 0), key(Key::B, kShift),
                                        key(Key::F4, 0), key(Key::F4, kAlt),
                                        key(Key::Return, kCtrl), key(Key::Other, 0)}));
    EXPECT_TRUE(window_->IsVisible());
}

// FLTK holds a pointer motion back and delivers it after the events read with it, so a
// move and a release read in one go would arrive as a move without the button. A real hand
// leaves the loop time between them: each step waits here until its event has arrived.
TEST_F(FltkClockWindowTest, PointerEventsCarryButtonAndClientPosition) {
    const std::pair<std::string, std::string> steps[] = {
        {"mousemove --window " + Id() + " 100 50 mousedown 1", "down 1 0 100,50"},
        {"mousemove --window " + Id() + " 110 60", "move 1 0 110,60"},
        {"mouseup 1", "up 1 0 110,60"},
        {"click 3", "up 2 0 110,60"}};
    for (const auto& [command, event] : steps) {
        RunCommand("xdotool " + command);
        ASSERT_TRUE(PumpUntil([&] { return ContainsInOrder(sink_.events, {event}); }))
            << command << ": " << ::testing::PrintToString(sink_.events);
    }
    EXPECT_TRUE(
        ContainsInOrder(sink_.events, {"down 1 0 100,50", "move 1 0 110,60", "up 1 0 110,60",
                                       "down 2 0 110,60", "up 2 0 110,60"}))
        << ::testing::PrintToString(sink_.events);
}

// FLTK hands a held-back motion over after the release it was read with, without the button:
// the window reports the drag's last step before the release all the same.
TEST_F(FltkClockWindowTest, ADragStepHandedOverAfterTheReleaseComesBeforeIt) {
    Fl_Window* view = Fl::first_window();
    ASSERT_NE(view, nullptr);
    const auto send = [view](int event, int x, int y, int state) {
        Fl::e_x = x;
        Fl::e_y = y;
        Fl::e_state = state;
        Fl::e_keysym = FL_Button + 1;
        view->handle(event);
    };
    sink_.events.clear();
    send(FL_PUSH, 100, 50, FL_BUTTON1);
    send(FL_RELEASE, 110, 60, 0);
    send(FL_MOVE, 110, 60, 0);
    send(FL_PUSH, 110, 60, FL_BUTTON1);
    send(FL_RELEASE, 110, 60, 0);
    EXPECT_EQ(sink_.events,
              (std::vector<std::string>{"down 1 0 100,50", "move 1 0 110,60", "up 1 0 110,60",
                                        "move 0 0 110,60", "down 1 0 110,60", "up 1 0 110,60"}));
}

TEST_F(FltkClockWindowTest, ACloseRequestFromOutsideReachesTheCoreOnly) {
    // The window manager's close, sent the way FltkDesktop sends it to a window by caption.
    EXPECT_TRUE(FltkDesktop().CloseWindowWithCaption("Diglux"));
    ASSERT_TRUE(PumpUntil([this] { return !sink_.events.empty(); }));
    EXPECT_EQ(sink_.events.front(), "close 0");
    test::PumpFor(100);
    EXPECT_TRUE(window_->IsVisible()) << "only the core decides to close";

    window_->Destroy();
    EXPECT_FALSE(window_->IsVisible());
    window_->Show();
    EXPECT_FALSE(window_->IsVisible()) << "a destroyed window stays closed";
}

// The clock sets its taskbar button before it shows the window: a state set while the window
// is unmapped must hold once it is mapped, and a later change must reach the window manager.
// (Topmost on and off is seen by the alarm's end-to-end test.)
TEST_F(FltkClockWindowTest, TaskbarButtonSetWhileHiddenHoldsWhenShown) {
    EXPECT_TRUE(HasState("_NET_WM_STATE_SKIP_TASKBAR")) << "borderless windows start without one";
    window_->Hide();
    window_->SetTaskbarButton(true);
    window_->Show();
    EXPECT_TRUE(PumpUntil([this] { return Viewable() && !HasState("_NET_WM_STATE_SKIP_TASKBAR"); }))
        << States();
    window_->SetTaskbarButton(false);
    EXPECT_TRUE(PumpUntil([this] { return HasState("_NET_WM_STATE_SKIP_TASKBAR"); })) << States();
}

TEST_F(FltkClockWindowTest, RefreshPushesOnlyTheAreaAskedFor) {
    RgbImage shot = Screenshot();
    ASSERT_EQ(shot.Width(), FltkClockWindow::kWidth);
    EXPECT_EQ(shot.At(653, 237), kRed);

    frame_.Fill(kBlue);
    window_->Refresh({0, 0, 100, 100});
    window_->Refresh({600, 200, 100, 100}); // reaches past the window
    test::PumpFor(100);
    shot = Screenshot();
    const std::pair<Point, Rgb> expected[] = {
        {{0, 0}, kBlue},     {{99, 99}, kBlue},   {{100, 99}, kRed}, {{300, 150}, kRed},
        {{600, 200}, kBlue}, {{653, 237}, kBlue}, {{599, 237}, kRed}};
    for (const auto& [p, colour] : expected) {
        EXPECT_EQ(shot.At(p.x, p.y), colour) << p.x << "," << p.y;
    }
}

TEST(FltkInputMap, KeysLandOnTheProgramsKeys) {
    // Both ends of the letter, digit and function key ranges, a keysym with Shift (it still
    // names the key), keypad Enter; keys the commands do not name (keypad digits, F13, Tab,
    // Delete, the German layout's u umlaut) are Other. Bare modifiers and locks are no keys:
    // Shift_L, Control_R, Alt_L, Caps_Lock, Num_Lock, Super_L, ISO_Level3_Shift; nor is nothing.
    const std::pair<int, std::optional<Key>> cases[] = {
        {'a', Key::A},         {'z', Key::Z},         {'0', Key::D0},       {'9', Key::D9},
        {0xffbe, Key::F1},     {0xffc9, Key::F12},    {'Q', Key::Q},        {' ', Key::Space},
        {0xff1b, Key::Escape}, {0xff8d, Key::Return}, {0xff08, Key::Back},  {0xff51, Key::Left},
        {0xff52, Key::Up},     {0xff53, Key::Right},  {0xff54, Key::Down},  {0xffb0, Key::Other},
        {0xffca, Key::Other},  {0xff09, Key::Other},  {0xffff, Key::Other}, {0xfc, Key::Other},
        {0xffe1, {}},          {0xffe4, {}},          {0xffe9, {}},         {0xffe5, {}},
        {0xff7f, {}},          {0xffeb, {}},          {0xfe03, {}},         {0, {}}};
    for (const auto& [keysym, key] : cases) {
        EXPECT_EQ(KeyFromFltk(keysym), key) << std::hex << keysym;
    }
}

// Shift, Ctrl and Alt and the left and right buttons come through in the real-display tests
// above; here what those do not reach: lock states and held buttons are no modifiers, the
// middle button, no button and the buttons held during a move.
TEST(FltkInputMap, LocksAndButtonsAreNoModifiersAndHeldButtonsAreMapped) {
    constexpr int kShift = 0x10000;
    constexpr int kButton1 = 0x1000000;
    constexpr int kButton2 = 0x2000000;
    constexpr int kButton3 = 0x4000000;
    // Caps Lock, Num Lock, button 1 and Alt.
    EXPECT_EQ(ShiftMaskFromFltk(0x20000 | 0x100000 | kButton1 | 0x80000), 4);
    EXPECT_EQ(MouseButtonFromFltk(2), kMiddleButton);
    EXPECT_EQ(MouseButtonFromFltk(8), 0);
    EXPECT_EQ(HeldButtonsFromFltk(kButton1 | kButton3), kLeftButton | kRightButton);
    EXPECT_EQ(HeldButtonsFromFltk(kButton2 | kShift), kMiddleButton);
}

// Closing a box gives Cancel where it has that button, else its one way out (OK, No).
TEST(FltkMessageBox, ClosingGivesWhatTheBoxAllows) {
    EXPECT_EQ(MessageBoxClosedResult(MessageButtons::Ok), MessageResult::Ok);
    EXPECT_EQ(MessageBoxClosedResult(MessageButtons::OkCancel), MessageResult::Cancel);
    EXPECT_EQ(MessageBoxClosedResult(MessageButtons::YesNo), MessageResult::No);
}

} // namespace
} // namespace diglux
