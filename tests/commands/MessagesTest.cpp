// The start and help messages: the greeting by the hour, the exact text, the triangles.
#include "commands/Messages.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace diglux::test {
namespace {

std::size_t Triangles(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\x7f'));
}

std::string At(int hour, int minute, const Settings& settings = {}) {
    return StartMessage({2026, 12, 6, hour, minute, 0}, "1.00", settings);
}

TEST(StartMessage, GreetsByTheHourWithInclusiveBounds) {
    const std::vector<std::tuple<int, int, std::string>> cases{
        {11, 59, "Guten Morgen &"}, {12, 0, "Guten Tag &"},    {15, 59, "Guten Tag &"},
        {16, 0, "Guten Abend &"},   {23, 59, "Guten Abend &"}, {0, 0, "Guten Morgen &"}};
    for (const auto& [hour, minute, greeting] : cases) {
        EXPECT_EQ(At(hour, minute).substr(10, greeting.size()), greeting) << hour << ":" << minute;
    }
}

TEST(StartMessage, ReadsExactlyAndAddsTheAlarmWhenArmed) {
    const std::string off = At(9, 5);
    EXPECT_EQ(off, "     \x7f\x7f\x7f  Guten Morgen & Willkommen!  \x7f\x7f\x7f  DIGLUX  V1.00  "
                   "16.03.2022  (C) 2022-2026 Tandemark  \x7f\x7f\x7f  [F1]: Einstellungen  "
                   "\x7f  (T): Tastenblegung anzeigen  \x7f  (Rechts-Klick) auf Zeit/Datum = "
                   "Ansage  \x7f\x7f\x7f     ");
    Settings armed;
    armed.Alarm_Enabled = true;
    armed.Alarm_Time = "07:30";
    const std::string on = At(9, 5, armed);
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
