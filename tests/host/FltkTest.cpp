// The FLTK host. The clock window on a real X display: placement, input as the core sees it,
// the close request, the taskbar state and repaints that touch only the area asked for. The
// translation of keys and buttons: FLTK key codes are X keysyms, written out here as the X
// protocol numbers them, so the table is checked against an independent source. The event
// loop (no display needed): timers tick while enabled, stay silent while disabled, start a
// fresh interval on enabling and none on enabling twice, and a handler may stop or restart
// its own timer; SIGTERM and SIGHUP reach the loop as one "session ends" call, never from
// inside the signal handler.
#include "host/linux/FltkClockWindow.h"
#include "host/linux/FltkDesktop.h"
#include "host/linux/FltkInputMap.h"
#include "host/linux/FltkMessageBox.h"
#include "host/linux/FltkTimerService.h"
#include "host/linux/PngCodec.h"
#include "host/linux/SessionEndSignals.h"
#include "host/linux/X11Display.h"
#include "tests/host/HostTestSupport.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

namespace diglux {
namespace {

using namespace test;
using Events = std::vector<std::string>;

// An event as text: its kind and numbers ("down 1 0 100 50": button, shift, x, y).
std::string Event(std::string event, auto... numbers) {
    ((event += " " + std::to_string(numbers)), ...);
    return event;
}

// What the window tells the core, one text per event.
struct RecordingSink final : ClockWindowEvents {
    void OnKeyDown(Key key, int s) override { events.push_back(Event("key", int(key), s)); }
    void OnMouseDown(int b, int s, Point p) override { Add("down", b, s, p); }
    void OnMouseMove(int b, int s, Point p) override { Add("move", b, s, p); }
    void OnMouseUp(int b, int s, Point p) override { Add("up", b, s, p); }
    void OnCloseRequest(UnloadReason r) override { events.push_back(Event("close", int(r))); }
    void Add(const char* k, int b, int s, Point p) { events.push_back(Event(k, b, s, p.x, p.y)); }
    Events events;
};

// True when wanted appears in events in this order, other events in between allowed.
bool ContainsInOrder(const Events& events, const Events& wanted) {
    auto next = wanted.begin();
    for (const std::string& event : events) {
        next += next != wanted.end() && event == *next ? 1 : 0;
    }
    return next == wanted.end();
}

// A red frame in a clock window, shown and painted.
class FltkClockWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::string error; !OpenX11Display(error)) {
            GTEST_SKIP() << "needs an X display (DISPLAY)";
        }
        window_.emplace();
        window_->SetEventSink(&sink_);
        window_->AttachFrame(&frame_);
        window_->Show();
        ASSERT_TRUE(PumpUntil([this] { return Viewable(); }));
        PumpFor(150); // let the window manager settle and the first paint happen
    }

    std::string Id() const { return std::to_string(window_->NativeId()); }
    bool Viewable() const { return Says("xwininfo -id " + Id(), "IsViewable"); }
    bool SkipsTaskbar() const { return Says("xprop -id " + Id() + " _NET_WM_STATE", "SKIP"); }
    RgbImage Screenshot() const {
        std::string error, png = RunCommand("import -window " + Id() + " png:- 2>/dev/null");
        return LibPngDecoder().DecodePng(Bytes(png), error);
    }

    static constexpr Rgb kRed{255, 0, 0}, kBlue{0, 0, 255};
    RgbImage frame_{FltkClockWindow::kWidth, FltkClockWindow::kHeight, kRed};
    RecordingSink sink_;
    std::optional<FltkClockWindow> window_;
};

// Class and caption, a size fixed by the size hints, and the taskbar button: the clock sets
// it before it shows the window, so a state set while the window is unmapped must hold once
// it is mapped, and a later change must reach the window manager (borderless windows start
// without one; topmost is seen by the alarm's end-to-end test). A move in logical units
// puts halves on the even pixel.
TEST_F(FltkClockWindowTest, AppearsWithClassCaptionSizeAndTaskbarStateAndMoves) {
    const std::string props = RunCommand("xprop -id " + Id() + " WM_CLASS WM_NAME WM_NORMAL_HINTS");
    for (const char* wanted :
         {"\"Diglux\"", "minimum size: 654 by 238", "maximum size: 654 by 238"}) {
        EXPECT_NE(props.find(wanted), std::string::npos) << props;
    }
    EXPECT_TRUE(SkipsTaskbar());
    window_->Hide();
    window_->SetTaskbarButton(true);
    window_->Show();
    EXPECT_TRUE(PumpUntil([this] { return Viewable() && !SkipsTaskbar(); }));
    window_->SetTaskbarButton(false);
    EXPECT_TRUE(PumpUntil([this] { return SkipsTaskbar(); }));
    window_->Move(100.5, 201.5);
    EXPECT_EQ(window_->ScreenRect(), (Rect{100, 202, 654, 238}));
    const std::string geometry = "xdotool getwindowgeometry " + Id(); // "Position: x,y (...)"
    EXPECT_TRUE(PumpUntil([&] { return Says(geometry, "Position: 100,202 "); }));
}

// Keys arrive as the program's keys, a bare modifier as none; Escape does not close the
// window. The window manager's close, sent the way FltkDesktop sends it to a window by
// caption, is only reported: the core decides to close. A destroyed window stays closed.
TEST_F(FltkClockWindowTest, KeysAndCloseRequestsReachTheCoreOnly) {
    RunCommand("xdotool key --window " + Id() +
               " Escape a shift+b F4 alt+F4 Control_L ctrl+Return Tab");
    ASSERT_TRUE(PumpUntil([this] { return sink_.events.size() >= 7; }));
    EXPECT_TRUE(FltkDesktop().CloseWindowWithCaption("Diglux"));
    ASSERT_TRUE(PumpUntil([this] { return sink_.events.size() >= 8; }));
    PumpFor(100);
    const auto key = [](Key k, int shift = 0) { return Event("key", int(k), shift); };
    EXPECT_EQ(sink_.events, (Events{key(Key::Escape), key(Key::A), key(Key::B, kShift),
                                    key(Key::F4), key(Key::F4, kAlt), key(Key::Return, kCtrl),
                                    key(Key::Other), Event("close", 0)}));
    EXPECT_TRUE(window_->IsVisible());
    window_->Destroy();
    EXPECT_FALSE(window_->IsVisible());
    window_->Show();
    EXPECT_FALSE(window_->IsVisible());
}

// FLTK holds a pointer motion back and delivers it after the events read with it, so a
// move and a release read in one go would arrive as a move without the button. A real hand
// leaves the loop time between them: each step waits here until its events have arrived.
// And FLTK hands a held-back motion over after the release it was read with, without the
// button: the window reports the drag's last step before the release all the same.
TEST_F(FltkClockWindowTest, PointerEventsCarryButtonAndClientPositionInOrder) {
    const std::pair<std::string, Events> steps[] = {
        {"mousemove --window " + Id() + " 100 50 mousedown 1", {"down 1 0 100 50"}},
        {"mousemove --window " + Id() + " 110 60", {"move 1 0 110 60"}},
        {"mouseup 1", {"up 1 0 110 60"}},
        {"click 3", {"down 2 0 110 60", "up 2 0 110 60"}}};
    for (const auto& [command, wanted] : steps) {
        sink_.events.clear();
        RunCommand("xdotool " + command);
        EXPECT_TRUE(PumpUntil([&] { return ContainsInOrder(sink_.events, wanted); }))
            << command << ": " << ::testing::PrintToString(sink_.events);
    }
    sink_.events.clear();
    const int sent[][4] = {{FL_PUSH, 100, 50, FL_BUTTON1},
                           {FL_RELEASE, 110, 60, 0},
                           {FL_MOVE, 110, 60, 0},
                           {FL_PUSH, 110, 60, FL_BUTTON1},
                           {FL_RELEASE, 110, 60, 0}};
    for (const auto& [event, x, y, state] : sent) {
        Fl::e_x = x, Fl::e_y = y, Fl::e_state = state, Fl::e_keysym = FL_Button + 1;
        Fl::first_window()->handle(event);
    }
    EXPECT_EQ(sink_.events, (Events{"down 1 0 100 50", "move 1 0 110 60", "up 1 0 110 60",
                                    "move 0 0 110 60", "down 1 0 110 60", "up 1 0 110 60"}));
}

// Two areas repainted in blue, one reaching past the window; the rest stays red.
TEST_F(FltkClockWindowTest, RefreshPushesOnlyTheAreaAskedFor) {
    RgbImage shot = Screenshot();
    ASSERT_EQ(shot.Width(), FltkClockWindow::kWidth);
    EXPECT_EQ(shot.At(653, 237), kRed);
    frame_.Fill(kBlue);
    window_->Refresh({0, 0, 100, 100});
    window_->Refresh({600, 200, 100, 100});
    PumpFor(100);
    shot = Screenshot();
    const std::pair<Point, Rgb> expected[] = {
        {{0, 0}, kBlue},     {{99, 99}, kBlue},   {{100, 99}, kRed}, {{300, 150}, kRed},
        {{600, 200}, kBlue}, {{653, 237}, kBlue}, {{599, 237}, kRed}};
    for (const auto& [p, colour] : expected) {
        EXPECT_EQ(shot.At(p.x, p.y), colour) << p.x << "," << p.y;
    }
}

// Both ends of the letter, digit and function key ranges, a keysym with Shift (it still
// names the key), keypad Enter; keys the commands do not name (keypad digits, F13, Tab,
// Delete, the German layout's u umlaut) are Other. Bare modifiers and locks are no keys:
// Shift_L, Control_R, Alt_L, Caps_Lock, Num_Lock, Super_L, ISO_Level3_Shift; nor is nothing.
// Shift, Ctrl and Alt and the left and right buttons come through in the real-display tests
// above; here what those do not reach: lock states and held buttons are no modifiers (Caps
// Lock, Num Lock, button 1 and Alt give Alt alone), the middle button, no button and the
// buttons held during a move. Closing a message box gives Cancel where it has that button,
// else its one way out (OK, No).
TEST(FltkInputMap, KeysButtonsAndClosedBoxesLandOnTheProgramsTerms) {
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
    constexpr int kShiftState = 0x10000, kButton1 = 0x1000000, kButton2 = 0x2000000;
    EXPECT_EQ(ShiftMaskFromFltk(0x20000 | 0x100000 | kButton1 | 0x80000), kAlt);
    EXPECT_EQ(MouseButtonFromFltk(2), kMiddleButton);
    EXPECT_EQ(MouseButtonFromFltk(8), 0);
    EXPECT_EQ(HeldButtonsFromFltk(kButton1 | 0x4000000), kLeftButton | kRightButton);
    EXPECT_EQ(HeldButtonsFromFltk(kButton2 | kShiftState), kMiddleButton);
    EXPECT_EQ(MessageBoxClosedResult(MessageButtons::Ok), MessageResult::Ok);
    EXPECT_EQ(MessageBoxClosedResult(MessageButtons::OkCancel), MessageResult::Cancel);
    EXPECT_EQ(MessageBoxClosedResult(MessageButtons::YesNo), MessageResult::No);
}

// Six timers: one never enabled stays silent; a plain one ticks at about its interval and
// stops when disabled; one that stops itself from its handler ticks once; one that restarts
// itself from its handler keeps ticking. Two are due at 400 ms; at 290 ms one is disabled
// and enabled again, which moves its tick to 690 ms, the other is only enabled again, which
// keeps its tick at 400 ms.
TEST(FltkTimerService, TicksOnlyWhileEnabledWithAFreshIntervalOnEnablingEvenFromItsHandler) {
    FltkTimerService timers;
    int idleTicks = 0, plainTicks = 0, stopperTicks = 0, restarterTicks = 0;
    int restartedTicks = 0, keptTicks = 0;
    TimerId stopper = 0, restarter = 0;
    timers.CreateTimer(30, [&] { ++idleTicks; });
    const TimerId plain = timers.CreateTimer(50, [&] { ++plainTicks; });
    stopper = timers.CreateTimer(30, [&] { ++stopperTicks, timers.SetEnabled(stopper, false); });
    restarter = timers.CreateTimer(30, [&] {
        ++restarterTicks;
        timers.SetEnabled(restarter, false);
        timers.SetEnabled(restarter, true);
    });
    const TimerId restarted = timers.CreateTimer(400, [&] { ++restartedTicks; });
    const TimerId kept = timers.CreateTimer(400, [&] { ++keptTicks; });
    for (const TimerId id : {plain, stopper, restarter, restarted, kept}) {
        timers.SetEnabled(id, true);
    }
    PumpFor(290);
    EXPECT_EQ(idleTicks, 0) << "a new timer starts disabled";
    EXPECT_TRUE(plainTicks >= 3 && plainTicks <= 6) << plainTicks;
    EXPECT_EQ(stopperTicks, 1);
    EXPECT_FALSE(timers.IsEnabled(stopper));
    EXPECT_GE(restarterTicks, 3) << "a restart from the handler must not lose the timer";
    EXPECT_TRUE(timers.IsEnabled(restarter));
    timers.SetEnabled(plain, false);
    timers.SetEnabled(restarted, false);
    timers.SetEnabled(restarted, true);
    timers.SetEnabled(kept, true);
    const int ticksWhenDisabled = plainTicks;
    PumpFor(210);
    EXPECT_EQ(restartedTicks, 0);
    EXPECT_EQ(keptTicks, 1);
    PumpFor(350);
    EXPECT_EQ(restartedTicks, 1);
    EXPECT_EQ(plainTicks, ticksWhenDisabled);
}

TEST(SessionEndSignals, EachSignalArrivesThroughTheEventLoopOnce) {
    for (const int signal : {SIGTERM, SIGHUP}) {
        int calls = 0;
        SessionEndSignals signals([&calls] { ++calls; });
        ASSERT_TRUE(signals.Installed());
        raise(signal);
        EXPECT_EQ(calls, 0) << "nothing may run inside the signal handler";
        FltkEventPump pump;
        pump.DoEvents();
        EXPECT_EQ(calls, 1) << signal;
        raise(SIGHUP);
        raise(SIGTERM);
        pump.DoEvents();
        EXPECT_EQ(calls, 1) << "the session ends only once";
    }
}

} // namespace
} // namespace diglux
