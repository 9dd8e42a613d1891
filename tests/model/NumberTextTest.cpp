// Numbers and times of day in stored texts.
#include "model/NumberText.h"
#include "model/TimeText.h"

#include <gtest/gtest.h>

#include <limits>

namespace diglux {
namespace {

// No exponent, no "inf"; too many digits give infinity or 0.
TEST(LeadingNumber, TakesTheDecimalNumberAtTheStartOnly) {
    const std::vector<std::pair<std::string, double>> cases{
        {"42", 42.0}, {"  -7.25abc", -7.25}, {"+3", 3.0}, {".5", 0.5}, {"12.5.7", 12.5},
        {"1e3", 1.0}, {"yes", 0.0},          {"", 0.0},   {"-", 0.0},  {".", 0.0},
        {"inf", 0.0}};
    for (const auto& [text, number] : cases) {
        EXPECT_EQ(LeadingNumber(text), number) << text;
    }
    EXPECT_EQ(LeadingNumber(std::string(400, '9')), std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingNumber("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    const std::vector<std::pair<double, double>> cases{{7.5, 8.0},   {6.5, 6.0},   {0.5, 0.0},
                                                       {-2.5, -2.0}, {-3.5, -4.0}, {2.4999, 2.0},
                                                       {2.5001, 3.0}};
    for (const auto& [value, rounded] : cases) {
        EXPECT_EQ(RoundHalfEven(value), rounded) << value;
    }
}

TEST(RoundHalfEven, IntegersAreClampedToTheirRange) {
    EXPECT_EQ(ToInt16(40000.0), 32767);
    EXPECT_EQ(ToInt16(-40000.0), -32768);
    EXPECT_EQ(ToInt32(1e12), 2147483647);
    EXPECT_EQ(ToInt32(std::numeric_limits<double>::infinity()), 2147483647);
    EXPECT_EQ(ToInt32(-2.5), -2);
}

TEST(TimeText, ReadsTimesOfDay) {
    EXPECT_EQ(ParseTimeOfDay("07:30"), 27000);
    EXPECT_EQ(ParseTimeOfDay("7:30"), 27000);
    EXPECT_EQ(ParseTimeOfDay("23:59:59"), 86399);
    for (const char* refused : {"24:00", "07:60", "0730", "", "07:3x"}) {
        EXPECT_FALSE(ParseTimeOfDay(refused)) << refused;
    }
}

} // namespace
} // namespace diglux
