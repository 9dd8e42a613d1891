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

TEST(ZeitInWorten, HourMinuteAndSecondEdges) {
    struct Case {
        LocalDateTime when;
        bool withSeconds;
        const char* sentence;
    };
    const Case cases[] = {
        {At(0, 0, 0), false, "Es ist null Uhr."},
        {At(1, 1, 0), false, "Es ist ein Uhr eins."},
        {At(12, 30, 2), true, "Es ist zwölf Uhr dreißig und zwei Sekunden."},
        {At(23, 59, 1), true, "Es ist dreiundzwanzig Uhr neunundfünfzig und eine Sekunde."},
        // Seconds are said only when asked for and not zero.
        {At(10, 0, 59), false, "Es ist zehn Uhr."},
        {At(10, 0, 0), true, "Es ist zehn Uhr."},
        {At(10, 0, 21), true, "Es ist zehn Uhr und einundzwanzig Sekunden."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ZeitInWorten(c.when, c.withSeconds, false, false, false), c.sentence);
    }
}

TEST(ZeitInWorten, VoiceFormsKeepHyphensPausesAndUnEachOnItsOwn) {
    EXPECT_EQ(ZeitInWorten(At(21, 7, 1), true, true, true, true),
              "Es ist ~ ein-un-zwan-zig Uhr sieben ~ und ~ eine Sekunde.");
    EXPECT_EQ(ZeitInWorten(At(21, 0, 0), false, true, false, false),
              "Es ist ein-und-zwan-zig Uhr.");
    EXPECT_EQ(ZeitInWorten(At(21, 0, 0), false, false, false, true), "Es ist einunzwanzig Uhr.");
}

TEST(DatumInWorten, DaysMonthsAndYears) {
    const std::pair<LocalDateTime, const char*> cases[] = {
        {On(2026, 12, 24), "vierundzwanzigste Dezember zweitausendsechsundzwanzig"},
        {On(1999, 1, 2), "zweite Januar neunzehnhundertneunundneunzig"},
        // The year's last two digits say nothing for 01 and "null" for 00.
        {On(2000, 1, 3), "dritte Januar zweitausendnull"},
        {On(2001, 7, 7), "siebte Juli zweitausend"},
        {On(1066, 10, 14), "vierzehnte Oktober einstausendsechsundsechzig"},
        {On(2150, 6, 1), "erste Juni zweitausendeinshundertfünfzig"},
    };
    for (const auto& [date, words] : cases) {
        EXPECT_EQ(DatumInWorten(date, false, false, false, false),
                  std::string("Heute ist der ") + words + ".");
    }
    EXPECT_EQ(DatumInWorten(On(2022, 3, 1), true, false, false, false),
              "Heute ist Dienstag, der erste März zweitausendzweiundzwanzig.");
    EXPECT_EQ(DatumInWorten(On(2022, 3, 1), true, true, true, true),
              "Heute ist Dienstag, ~ der er-ste März zwei-tausend-zwei-un-zwan-zig.");
    EXPECT_EQ(DatumInWorten(On(2001, 8, 8), false, true, true, true),
              "Heute ist der ach-te August zwei-tausend-.");
}

// The voice player asks for the date of a time-only text with the zero date: today.
TEST(DatumInWorten, TheZeroDateMeansToday) {
    test::FakeHost host;
    host.clock.now = {2024, 3, 1, 9, 5, 7};
    EXPECT_EQ(DatumInWorten(At(21, 7, 1), host.clock, false, false, false, false),
              "Heute ist der erste März zweitausendvierundzwanzig.");
    EXPECT_EQ(DatumInWorten(On(2026, 12, 24), host.clock, false, false, false, false),
              "Heute ist der vierundzwanzigste Dezember zweitausendsechsundzwanzig.");
}

} // namespace
} // namespace diglux
