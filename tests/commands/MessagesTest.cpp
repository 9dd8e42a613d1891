// The start and help messages: the greeting by the hour, the exact text, the triangles.
#include "commands/Messages.h"
#include "app/ClockState.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace diglux::test {
namespace {

std::size_t Triangles(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\x7f'));
}

ClockState At(int hour, int minute) {
    ClockState state;
    state.TickNow = {2026, 12, 6, hour, minute, 0};
    state.VersionText = "1.00";
    return state;
}

TEST(StartMessage, GreetsByTheHourWithInclusiveBounds) {
    const std::vector<std::pair<std::pair<int, int>, std::string>> cases{
        {{11, 59}, "Guten Morgen &"}, {{12, 0}, "Guten Tag &"},    {{15, 59}, "Guten Tag &"},
        {{16, 0}, "Guten Abend &"},   {{23, 59}, "Guten Abend &"}, {{0, 0}, "Guten Morgen &"}};
    for (const auto& [time, greeting] : cases) {
        const std::string text = StartMessage(At(time.first, time.second));
        EXPECT_EQ(text.substr(10, greeting.size()), greeting) << time.first << ":" << time.second;
    }
}

TEST(StartMessage, ReadsExactlyAndAddsTheAlarmWhenArmed) {
    ClockState state = At(9, 5);
    const std::string off = StartMessage(state);
    EXPECT_EQ(off, "     \x7f\x7f\x7f  Guten Morgen & Willkommen!  \x7f\x7f\x7f  DIGLUX  V1.00  "
                   "16.03.2022  (C) 2022-2026 Tandemark  \x7f\x7f\x7f  [F1]: Einstellungen  "
                   "\x7f  (T): Tastenblegung anzeigen  \x7f  (Rechts-Klick) auf Zeit/Datum = "
                   "Ansage  \x7f\x7f\x7f     ");
    state.Alarm_Enabled = true;
    state.Alarm_Time = "07:30";
    const std::string on = StartMessage(state);
    EXPECT_EQ(Triangles(on), Triangles(off) + 3);
    EXPECT_NE(on.find("Ansage  \x7f\x7f\x7f  Alarm: 07:30 Uhr  \x7f\x7f\x7f     "),
              std::string::npos);
}

// Every "*" of the help text becomes a triangle.
TEST(HelpMessage, HasSeventeenTrianglesAndNoStars) {
    const std::string help = HelpMessage();
    EXPECT_EQ(Triangles(help), 17u);
    EXPECT_EQ(help.find('*'), std::string::npos);
}

} // namespace
} // namespace diglux::test
