// Numbers and times of day in stored texts: settings edited by hand hold texts, which are read
// by their leading decimal number and rounded to whole numbers with halves going to the even
// neighbour; the alarm time is read as a time of day.
#include "model/NumberText.h"
#include "model/TimeText.h"

#include <gtest/gtest.h>

#include <limits>

namespace diglux {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Only blanks, a sign, digits and one point count: no exponent, no "inf"; too many digits give
// infinity, or 0 when they all follow the point.
TEST(NumberText, LeadingNumberIsTheDecimalNumberAtTheStartOnly) {
    const std::vector<std::pair<std::string, double>> cases{
        {"42", 42.0}, {"  -7.25abc", -7.25}, {"+3", 3.0}, {".5", 0.5}, {"12.5.7", 12.5},
        {"1e3", 1.0}, {"yes", 0.0},          {"", 0.0},   {"-", 0.0},  {".", 0.0},
        {"inf", 0.0}};
    for (const auto& [text, number] : cases) {
        EXPECT_EQ(LeadingNumber(text), number) << text;
    }
    EXPECT_EQ(LeadingNumber(std::string(400, '9')), kInfinity);
    EXPECT_EQ(LeadingNumber("0." + std::string(400, '0') + "1"), 0.0);
}

// Halves go to the even neighbour, also as integers; 16-bit and 32-bit integers are clamped to
// their range.
TEST(NumberText, HalvesGoToTheEvenNeighbourAndIntegersAreClamped) {
    const std::vector<std::pair<double, int>> cases{{7.5, 8},   {6.5, 6},    {0.5, 0},   {-2.5, -2},
                                                    {-3.5, -4}, {2.4999, 2}, {2.5001, 3}};
    for (const auto& [value, rounded] : cases) {
        EXPECT_EQ(RoundHalfEven(value), rounded) << value;
        EXPECT_EQ(ToInt32(value), rounded) << value;
    }
    EXPECT_EQ(ToInt16(40000.0), 32767);
    EXPECT_EQ(ToInt16(-40000.0), -32768);
    EXPECT_EQ(ToInt32(1e12), 2147483647);
    EXPECT_EQ(ToInt32(kInfinity), 2147483647);
}

// Times of day are read as "H:MM", "HH:MM" or "HH:MM:SS" within a day.
TEST(TimeText, ReadsTimesOfDay) {
    const std::vector<std::pair<std::string, std::optional<int>>> times{
        {"07:30", 27000}, {"7:30", 27000}, {"23:59:59", 86399}, {"24:00", {}}, {"07:60", {}},
        {"0730", {}},     {"", {}},        {"07:3x", {}}};
    for (const auto& [text, seconds] : times) {
        EXPECT_EQ(ParseTimeOfDay(text), seconds) << text;
    }
}

} // namespace diglux
