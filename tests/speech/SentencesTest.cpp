// Time and date sentences in display form (whole words) and voice form (fragments, pauses).
#include "speech/Sentences.h"

#include "tests/support/FakeHost.h"

#include <gtest/gtest.h>

namespace diglux {
namespace {

LocalDateTime At(int hour, int minute, int second) {
    return {1899, 12, 30, hour, minute, second};
}

LocalDateTime On(int year, int month, int day) {
    return {year, month, day, 0, 0, 0};
}

std::string Display(const LocalDateTime& t, bool withSeconds = false) {
    return ZeitInWorten(t, withSeconds, false, false, false);
}

std::string DisplayDate(const LocalDateTime& d, bool withWeekday = false) {
    return DatumInWorten(d, withWeekday, false, false, false);
}

std::string VoiceDate(const LocalDateTime& d, bool withWeekday = false) {
    return DatumInWorten(d, withWeekday, true, true, true);
}

TEST(ZeitInWorten, WorkedExamples) {
    EXPECT_EQ(Display(At(21, 7, 1), true), "Es ist einundzwanzig Uhr sieben und eine Sekunde.");
    EXPECT_EQ(ZeitInWorten(At(21, 7, 1), true, true, true, true),
              "Es ist ~ ein-un-zwan-zig Uhr sieben ~ und ~ eine Sekunde.");
    EXPECT_EQ(Display(At(0, 0, 0)), "Es ist null Uhr.");
    EXPECT_EQ(Display(At(1, 1, 0)), "Es ist ein Uhr eins.");
    EXPECT_EQ(Display(At(12, 30, 2), true), "Es ist zwölf Uhr dreißig und zwei Sekunden.");
    EXPECT_EQ(Display(At(16, 0, 0)), "Es ist sechzehn Uhr.");
}

TEST(ZeitInWorten, SecondsAreSaidOnlyWhenAskedForAndNotZero) {
    EXPECT_EQ(Display(At(10, 0, 59)), "Es ist zehn Uhr.");
    EXPECT_EQ(Display(At(10, 0, 0), true), "Es ist zehn Uhr.");
    EXPECT_EQ(Display(At(10, 0, 21), true), "Es ist zehn Uhr und einundzwanzig Sekunden.");
    EXPECT_EQ(Display(At(23, 59, 1), true),
              "Es ist dreiundzwanzig Uhr neunundfünfzig und eine Sekunde.");
}

TEST(ZeitInWorten, StemsGetTheirEndingsWhereGermanNeedsThem) {
    EXPECT_EQ(Display(At(16, 26, 0)), "Es ist sechzehn Uhr sechsundzwanzig.");
    EXPECT_EQ(Display(At(17, 27, 0)), "Es ist siebzehn Uhr siebenundzwanzig.");
    EXPECT_EQ(Display(At(6, 7, 0)), "Es ist sechs Uhr sieben.");
}

TEST(ZeitInWorten, FragmentsCanBeKeptWithTheFullUnd) {
    EXPECT_EQ(ZeitInWorten(At(21, 0, 0), false, true, false, false),
              "Es ist ein-und-zwan-zig Uhr.");
    EXPECT_EQ(ZeitInWorten(At(21, 0, 0), false, false, false, true), "Es ist einunzwanzig Uhr.");
}

TEST(ZeitInWorten, ReadsTheTimeOfDayFromText) {
    EXPECT_EQ(ZeitInWorten(std::string("09:59:57"), true, false, false, false),
              "Es ist neun Uhr neunundfünfzig und siebenundfünfzig Sekunden.");
    EXPECT_EQ(ZeitInWorten(std::string("10:00"), false, false, false, false), "Es ist zehn Uhr.");
    EXPECT_EQ(ZeitInWorten(std::string("25:00:00"), false, false, false, false), "");
}

TEST(ZeitInWorten, MissingTimeMeansNow) {
    test::FakeHost host;
    host.clock.now = {2024, 3, 1, 9, 5, 7};
    EXPECT_EQ(ZeitInWorten(std::nullopt, host.clock, true, false, false, false),
              "Es ist neun Uhr fünf und sieben Sekunden.");
    EXPECT_EQ(ZeitInWorten(At(8, 0, 0), host.clock, false, false, false, false),
              "Es ist acht Uhr.");
}

TEST(DatumInWorten, WorkedExamples) {
    EXPECT_EQ(DisplayDate(On(2022, 3, 1), true),
              "Heute ist Dienstag, der erste März zweitausendzweiundzwanzig.");
    EXPECT_EQ(VoiceDate(On(2022, 3, 1), true),
              "Heute ist Dienstag, ~ der er-ste März zwei-tausend-zwei-un-zwan-zig.");
    EXPECT_EQ(DisplayDate(On(2026, 12, 24)),
              "Heute ist der vierundzwanzigste Dezember zweitausendsechsundzwanzig.");
    EXPECT_EQ(VoiceDate(On(1999, 12, 31)),
              "Heute ist der ein-un-drei-ßig-ste Dezember neun-zehn-hundert-neun-un-neun-zig.");
}

TEST(DatumInWorten, Years) {
    EXPECT_EQ(DisplayDate(On(1999, 1, 2)),
              "Heute ist der zweite Januar neunzehnhundertneunundneunzig.");
    // The year's last two digits say nothing for 01 and "null" for 00.
    EXPECT_EQ(DisplayDate(On(2000, 1, 3)), "Heute ist der dritte Januar zweitausendnull.");
    EXPECT_EQ(DisplayDate(On(2001, 7, 7)), "Heute ist der siebte Juli zweitausend.");
    EXPECT_EQ(VoiceDate(On(2001, 8, 8)), "Heute ist der ach-te August zwei-tausend-.");
    EXPECT_EQ(DisplayDate(On(2022, 5, 20)),
              "Heute ist der zwanzigste Mai zweitausendzweiundzwanzig.");
    EXPECT_EQ(DisplayDate(On(2026, 2, 3)),
              "Heute ist der dritte Februar zweitausendsechsundzwanzig.");
    EXPECT_EQ(DisplayDate(On(1066, 10, 14)),
              "Heute ist der vierzehnte Oktober einstausendsechsundsechzig.");
    EXPECT_EQ(DisplayDate(On(2150, 6, 1)),
              "Heute ist der erste Juni zweitausendeinshundertfünfzig.");
}

TEST(DatumInWorten, WeekdaysRunFromMondayToSunday) {
    const char* names[] = {"Montag",  "Dienstag", "Mittwoch", "Donnerstag",
                           "Freitag", "Samstag",  "Sonntag"};
    for (int i = 0; i < 7; ++i) {
        const std::string sentence = DisplayDate(On(2024, 3, 4 + i), true);
        EXPECT_EQ(sentence.substr(10, sentence.find(',') - 10), names[i]) << sentence;
    }
}

TEST(DatumInWorten, MissingOrZeroDateMeansToday) {
    test::FakeHost host;
    host.clock.now = {2024, 3, 1, 9, 5, 7};
    const std::string today = "Heute ist der erste März zweitausendvierundzwanzig.";
    EXPECT_EQ(DatumInWorten(std::nullopt, host.clock, false, false, false, false), today);
    EXPECT_EQ(DatumInWorten(At(21, 7, 1), host.clock, false, false, false, false), today);
    EXPECT_EQ(DatumInWorten(On(2026, 12, 24), host.clock, false, false, false, false),
              "Heute ist der vierundzwanzigste Dezember zweitausendsechsundzwanzig.");
}

} // namespace
} // namespace diglux
