// Time and date sentences in display form (whole words) and voice form (fragments, pauses).
#include "speech/Sentences.h"

#include <gtest/gtest.h>

namespace diglux {
namespace {

LocalDateTime At(int hour, int minute, int second) {
    return {2024, 3, 1, hour, minute, second};
}

LocalDateTime On(int year, int month, int day) {
    return {year, month, day, 0, 0, 0};
}

TEST(ZeitInWorten, HourMinuteAndSecondEdges) {
    const std::tuple<LocalDateTime, bool, const char*> cases[] = {
        {At(0, 0, 0), false, "Es ist null Uhr."},
        {At(1, 1, 0), false, "Es ist ein Uhr eins."},
        {At(12, 30, 2), true, "Es ist zwölf Uhr dreißig und zwei Sekunden."},
        {At(23, 59, 1), true, "Es ist dreiundzwanzig Uhr neunundfünfzig und eine Sekunde."},
        // Seconds are said only when asked for and not zero.
        {At(10, 0, 59), false, "Es ist zehn Uhr."},
        {At(10, 0, 0), true, "Es ist zehn Uhr."},
        {At(10, 0, 21), true, "Es ist zehn Uhr und einundzwanzig Sekunden."},
    };
    for (const auto& [when, withSeconds, sentence] : cases) {
        EXPECT_EQ(ZeitInWorten(when, {.withSeconds = withSeconds}), sentence);
    }
}

// Hyphens, pauses and the clip "un" are each a choice of their own.
TEST(ZeitInWorten, VoiceFormsKeepHyphensPausesAndUnEachOnItsOwn) {
    EXPECT_EQ(ZeitInWorten(At(21, 7, 1), {true, kVoiceForm}),
              "Es ist ~ ein-un-zwan-zig Uhr sieben ~ und ~ eine Sekunde.");
    EXPECT_EQ(ZeitInWorten(At(21, 0, 0), {.form = {.keepHyphens = true}}),
              "Es ist ein-und-zwan-zig Uhr.");
    EXPECT_EQ(ZeitInWorten(At(21, 0, 0), {.form = {.keepUn = true}}), "Es ist einunzwanzig Uhr.");
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
        EXPECT_EQ(DatumInWorten(date), std::string("Heute ist der ") + words + ".");
    }
    EXPECT_EQ(DatumInWorten(On(2022, 3, 1), {.withWeekday = true}),
              "Heute ist Dienstag, der erste März zweitausendzweiundzwanzig.");
    EXPECT_EQ(DatumInWorten(On(2022, 3, 1), {true, kVoiceForm}),
              "Heute ist Dienstag, ~ der er-ste März zwei-tausend-zwei-un-zwan-zig.");
    EXPECT_EQ(DatumInWorten(On(2001, 8, 8), {false, kVoiceForm}),
              "Heute ist der ach-te August zwei-tausend-.");
}

} // namespace
} // namespace diglux
