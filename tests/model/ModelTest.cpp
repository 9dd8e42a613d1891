// The settings table: how each stored form reads a hand-edited text and what it writes back;
// numbers in stored texts (the leading decimal number, rounded with halves to the even
// neighbour, clamped to the field) and the alarm time read as a time of day.
#include "model/NumberText.h"
#include "model/Settings.h"
#include "model/TimeText.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>

namespace diglux {
namespace {

Settings Read(const std::vector<std::pair<std::string, std::string>>& stored) {
    Settings settings;
    for (const auto& [name, text] : stored) {
        ApplyStoredText(settings, *FindSettingRow(name), text);
    }
    return settings;
}

std::string Written(const Settings& settings, const std::string& name) {
    return StoredText(settings, *FindSettingRow(name));
}

TEST(SettingsTable, HandEditedTextsFollowEachForm) {
    const Settings s = Read({{"Blink", ""},            // only "0" switches a flag off
                             {"Alarm.Enabled", "ja"},  // any word is on
                             {"Signal", "0"},          //
                             {"Alarm.SagZeit", "ja"},  // by its number: a word is 0
                             {"SagZeit", " 0"},        // not exactly "0"
                             {"Serife.I", "0"},        // anything but "1" drops the serifs
                             {"SagZeit.Start", "7.5"}, // halves to even
                             {"SagZeit.Ende", "6.5"},
                             {"Dock", "5 Pixel"},
                             {"Color.R", "99999"}, // beyond 16 bits: the largest
                             {"Color.Offset", "-12"},
                             {"Volume.Wave", "-3000000000"},
                             {"Alarm.Time", "7:5 Uhr"}});
    EXPECT_TRUE(s.Blink && s.Alarm_Enabled && !s.Signal && !s.Alarm_SagZeit && s.SagZeit);
    EXPECT_TRUE(s.ISerifOff);
    EXPECT_EQ(
        std::vector<int>({s.SagZeit_Start, s.SagZeit_Ende, s.Dock, s.Color_R, s.Color_Offset}),
        std::vector<int>({8, 6, 5, 32767, -12}));
    EXPECT_EQ(s.Volume_Wave, INT32_MIN);
    EXPECT_EQ(s.Alarm_Time, "7:5 Uhr");
    const std::map<std::string, std::string> written{
        {"Serife.I", "0"},      {"Blink", "1"},          {"Alarm.SagZeit", "0"},
        {"SagZeit.Start", "8"}, {"Color.Offset", "-12"}, {"Alarm.Time", "7:5 Uhr"}};
    for (const auto& [name, text] : written) {
        EXPECT_EQ(Written(s, name), text) << name;
    }
}

// 1 is always, 2 automatic, anything else (3, 1.5, -1) never; written back as 1, 2 or 0.
TEST(SettingsTable, AutoStartTakesOnlyExactlyOneOrTwo) {
    const std::vector<std::tuple<const char*, bool, bool, const char*>> cases{
        {"0", false, false, "0"}, {"1", true, false, "1"},  {"2", false, true, "2"},
        {"2 ", false, true, "2"}, {"3", false, false, "0"}, {"1.5", false, false, "0"},
        {"-1", false, false, "0"}};
    for (const auto& [text, always, automatic, written] : cases) {
        const Settings s = Read({{"AutoStart", text}});
        EXPECT_EQ(std::pair(s.AutoStartAlways, s.AutoStartAuto), std::pair(always, automatic))
            << text;
        EXPECT_EQ(Written(s, "AutoStart"), written) << text;
    }
    EXPECT_EQ(Written({.AutoStartAlways = true, .AutoStartAuto = true}, "AutoStart"), "1");
}

// Every row's default reads as the field's own default, and every saved name is a row.
TEST(SettingsTable, DefaultsAgreeWithTheFields) {
    Settings read;
    read.Color_R = 0; // so that a default that is not applied shows
    for (const SettingRow& row : kSettingRows) {
        ApplyStoredText(read, row, row.defaultText);
    }
    EXPECT_EQ(read, Settings{});
    for (const std::string_view name : kSaveOrder) {
        EXPECT_NE(FindSettingRow(name), nullptr) << name;
    }
}

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

} // namespace
} // namespace diglux
