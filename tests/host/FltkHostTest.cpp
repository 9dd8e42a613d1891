// The FLTK host. The clock window on a real X display: placement, input as the core sees it,
// the close request, the taskbar state and repaints that touch only the area asked for. The
// translation of keys and buttons: FLTK key codes are X keysyms, written out here as the X
// protocol numbers them, so the table is checked against an independent source. SIGTERM and
// SIGHUP reach the loop as one "session ends" call, never from inside the signal handler.
#include "host/linux/FltkClockWindow.h"
#include "host/linux/FltkDesktop.h"
#include "host/linux/FltkInputMap.h"
#include "host/linux/FltkMessageBox.h"
#include "host/linux/PngCodec.h"
#include "host/linux/SessionEndSignals.h"
#include "host/linux/X11Display.h"
#include "tests/host/HostTestSupport.h"

#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <csignal>

namespace diglux {
namespace {

using namespace host_test;

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

// The clock window on a real X display, showing a red frame. The first paint fills the
// window; two areas repainted in blue, one reaching past the window, change exactly those
// areas (as far as they lie in the window) and nothing else.
//
// A size fixed by the size hints (the class is what the end-to-end tests find the window by,
// the caption what the close request below finds it by), and the taskbar button: the clock
// sets it before it shows the window, so a state set while the window is unmapped must hold
// once it is mapped, and a later change must reach the window manager (borderless windows
// start without one; topmost is seen by the alarm's end-to-end test). A move in logical units
// puts halves on the even pixel.
//
// Keys arrive as the program's keys, a bare modifier as none; Escape does not close the
// window. The window manager's close, sent the way FltkDesktop sends it to a window by
// caption, is only reported: the core decides to close.
//
// FLTK holds a pointer motion back and delivers it after the events read with it, so a
// move and a release read in one go would arrive as a move without the button. A real hand
// leaves the loop time between them: each step waits here until its events have arrived.
// And FLTK hands a held-back motion over after the release it was read with, without the
// button: the window reports the drag's last step before the release all the same. A
// destroyed window stays closed.
class FltkClockWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::string error; !OpenX11Display(error)) {
            GTEST_SKIP() << "needs an X display (DISPLAY)";
        }
        window.SetEventSink(&sink);
        window.AttachFrame(&frame);
        window.Show();
        ASSERT_TRUE(PumpUntil([this] { return Viewable(); }));
        PumpFor(150); // let the window manager settle and the first paint happen
    }
    // The X window's id, which changes when the window is shown again.
    std::string Id() const { return std::to_string(window.NativeId()); }
    bool Viewable() const { return Says("xwininfo -id " + Id(), "IsViewable"); }
    bool SkipsTaskbar() const { return Says("xprop -id " + Id() + " _NET_WM_STATE", "SKIP"); }
    RgbImage Screenshot() const {
        std::string error, png = RunCommand("import -window " + Id() + " png:- 2>/dev/null");
        return LibPngDecoder().DecodePng(Bytes(png), error);
    }

    static constexpr Rgb kRed{255, 0, 0}, kBlue{0, 0, 255};
    RgbImage frame{FltkClockWindow::kWidth, FltkClockWindow::kHeight, kRed};
    RecordingSink sink;
    FltkClockWindow window;
};

TEST_F(FltkClockWindowTest, PaintsOnlyWhatIsAskedKeepsItsSizeTaskbarStateAndPlace) {
    // The screenshots are compared with what the window should show, whole.
    RgbImage expected = frame;
    EXPECT_TRUE(Screenshot() == expected) << "the first paint does not fill the window";
    frame.Fill(kBlue);
    for (const Rect area : {Rect{0, 0, 100, 100}, Rect{600, 200, 100, 100}}) {
        window.Refresh(area);
        expected.FillRect(area, kBlue);
    }
    PumpFor(100);
    EXPECT_TRUE(Screenshot() == expected) << "not exactly the areas asked for were repainted";

    const std::string hints = "xprop -id " + Id() + " WM_NORMAL_HINTS";
    EXPECT_TRUE(Says(hints, "minimum size: 654 by 238") && Says(hints, "maximum size: 654 by 238"))
        << RunCommand(hints);
    EXPECT_TRUE(SkipsTaskbar());
    window.Hide();
    window.SetTaskbarButton(true);
    window.Show();
    EXPECT_TRUE(PumpUntil([&] { return Viewable() && !SkipsTaskbar(); }));
    window.SetTaskbarButton(false);
    EXPECT_TRUE(PumpUntil([&] { return SkipsTaskbar(); }));
    window.Move(100.5, 201.5);
    EXPECT_EQ(window.ScreenRect(), (Rect{100, 202, 654, 238}));
    const std::string geometry = "xdotool getwindowgeometry " + Id(); // "Position: x,y (...)"
    EXPECT_TRUE(PumpUntil([&] { return Says(geometry, "Position: 100,202 "); }));
}

TEST_F(FltkClockWindowTest, ReportsInputAndCloseRequestsToTheCoreOnly) {
    RunCommand("xdotool key --window " + Id() +
               " Escape a shift+b F4 alt+F4 Control_L ctrl+Return Tab");
    ASSERT_TRUE(PumpUntil([&] { return sink.events.size() >= 7; }));
    EXPECT_TRUE(FltkDesktop().CloseWindowWithCaption("Diglux"));
    ASSERT_TRUE(PumpUntil([&] { return sink.events.size() >= 8; }));
    PumpFor(100);
    const auto key = [](Key k, int shift = 0) { return Event("key", int(k), shift); };
    EXPECT_EQ(sink.events, (Events{key(Key::Escape), key(Key::A), key(Key::B, kShift), key(Key::F4),
                                   key(Key::F4, kAlt), key(Key::Return, kCtrl), key(Key::Other),
                                   Event("close", 0)}));
    EXPECT_TRUE(window.IsVisible());
    const std::pair<std::string, Events> steps[] = {
        {"mousemove --window " + Id() + " 100 50 mousedown 1", {"down 1 0 100 50"}},
        {"mousemove --window " + Id() + " 110 60", {"move 1 0 110 60"}},
        {"mouseup 1", {"up 1 0 110 60"}},
        {"click 3", {"down 2 0 110 60", "up 2 0 110 60"}}};
    for (const auto& [command, wanted] : steps) {
        sink.events.clear();
        RunCommand("xdotool " + command);
        EXPECT_TRUE(PumpUntil([&] { return ContainsInOrder(sink.events, wanted); }))
            << command << ": " << ::testing::PrintToString(sink.events);
    }
    sink.events.clear();
    const int sent[][4] = {{FL_PUSH, 100, 50, FL_BUTTON1},
                           {FL_RELEASE, 110, 60, 0},
                           {FL_MOVE, 110, 60, 0},
                           {FL_PUSH, 110, 60, FL_BUTTON1},
                           {FL_RELEASE, 110, 60, 0}};
    for (const auto& [event, x, y, state] : sent) {
        Fl::e_x = x, Fl::e_y = y, Fl::e_state = state, Fl::e_keysym = FL_Button + 1;
        Fl::first_window()->handle(event);
    }
    EXPECT_EQ(sink.events, (Events{"down 1 0 100 50", "move 1 0 110 60", "up 1 0 110 60",
                                   "move 0 0 110 60", "down 1 0 110 60", "up 1 0 110 60"}));
    window.Destroy();
    EXPECT_FALSE(window.IsVisible());
    window.Show();
    EXPECT_FALSE(window.IsVisible());
}

// Both ends of the letter, digit and function key ranges, a keysym with Shift (it still
// names the key), keypad Enter; keys the commands do not name (keypad digits, F13, Tab,
// Delete, the German layout's u umlaut) are Other. Bare modifiers and locks are no keys:
// Shift_L, Control_R, Alt_L, Caps_Lock, Num_Lock, Super_L, ISO_Level3_Shift; nor is nothing.
// Shift, Ctrl and Alt and the left and right buttons come through in the real-display test
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

TEST(SessionEndSignals, EachSignalArrivesThroughTheEventLoopOnce) {
    for (const int signal : {SIGTERM, SIGHUP}) {
        int calls = 0;
        SessionEndSignals signals([&calls] { ++calls; });
        ASSERT_TRUE(signals.Installed());
        raise(signal);
        EXPECT_EQ(calls, 0) << "nothing may run inside the signal handler";
        FltkEventPump().DoEvents();
        EXPECT_EQ(calls, 1) << signal;
        raise(SIGHUP), raise(SIGTERM);
        FltkEventPump().DoEvents();
        EXPECT_EQ(calls, 1) << "the session ends only once";
    }
}

} // namespace
} // namespace diglux
