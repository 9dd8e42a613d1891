// The desktop queries and message boxes on a real X display.
#include "host/linux/FltkDesktop.h"
#include "host/linux/FltkMessageBox.h"
#include "tests/host/HostTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace diglux {
namespace {

using test::PumpUntil;
using test::RunCommand;

// Closing a box gives Cancel where it has that button, else its one way out (OK, No).
TEST(FltkMessageBox, ClosingGivesWhatTheBoxAllows) {
    EXPECT_EQ(MessageBoxClosedResult(MessageButtons::Ok), MessageResult::Ok);
    EXPECT_EQ(MessageBoxClosedResult(MessageButtons::OkCancel), MessageResult::Cancel);
    EXPECT_EQ(MessageBoxClosedResult(MessageButtons::YesNo), MessageResult::No);
}

// Presses a key in the box with this title once it is on the screen, again every half
// second until the box has gone (a key sent while it is still being set up may be lost).
void PressInBox(const std::string& title, const std::string& key) {
    const std::string find = "xdotool search --onlyvisible --name '^" + title + "$'";
    RunCommand("(for i in $(seq 40); do " + find + " >/dev/null && break; sleep 0.25; done; " +
               "for i in $(seq 20); do " + find + " key --window %1 " + key +
               " || break; sleep 0.5; done) >/dev/null 2>&1 &");
}

TEST(FltkMessageBox, EnterPressesTheDefaultButtonAndEscapeCloses) {
    DIGLUX_REQUIRE_X_DISPLAY();
    FltkDesktop desktop;
    MessageBoxRequest request;
    request.title = "Diglux Testbox Enter";
    request.text = "Erste Zeile\r\nzweite Zeile mit @ und Umlauten: \xc3\xa4\xc3\xb6\xc3\xbc";
    request.icon = MessageIcon::Question;
    request.buttons = MessageButtons::YesNoCancel;
    request.defaultButton = 2;
    PressInBox(request.title, "Return");
    EXPECT_EQ(desktop.ShowMessageBox(request), MessageResult::No);

    request.title = "Diglux Testbox Escape";
    request.defaultButton = 1;
    PressInBox(request.title, "Escape");
    EXPECT_EQ(desktop.ShowMessageBox(request), MessageResult::Cancel);

    request.title = "Diglux Testbox Default";
    request.buttons = MessageButtons::OkCancel;
    request.defaultButton = 7; // out of range: the first button
    PressInBox(request.title, "Return");
    EXPECT_EQ(desktop.ShowMessageBox(request), MessageResult::Ok);
}

TEST(FltkDesktop, ScreenGeometryDepthAndPointerMatchTheServer) {
    DIGLUX_REQUIRE_X_DISPLAY();
    FltkDesktop desktop;
    int width = 0;
    int height = 0;
    const std::string info = RunCommand("xdpyinfo");
    std::sscanf(info.c_str() + info.find("dimensions:"), "dimensions: %dx%d", &width, &height);
    int depth = 0;
    std::sscanf(info.c_str() + info.find("depth of root window:"), "depth of root window: %d",
                &depth);
    EXPECT_EQ(desktop.DesktopRect(), (Rect{0, 0, width, height}));
    const Rect work = desktop.WorkArea();
    EXPECT_EQ(work.Intersect(desktop.DesktopRect()), work);
    EXPECT_FALSE(work.Empty());
    EXPECT_EQ(desktop.BitsPerPixel(), depth);

    RunCommand("xdotool mousemove 123 234");
    EXPECT_TRUE(PumpUntil([&] { return desktop.PointerPosition() == Point{123, 234}; }));
}

} // namespace
} // namespace diglux
