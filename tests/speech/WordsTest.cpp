// German words: numbers at the edges of their rules, the time and date sentences in both
// forms, and the words the voice player plays, every one of them with a clip.
#include "host/EmbeddedResources.h"
#include "speech/AnnouncementText.h"
#include "speech/Numbers.h"
#include "speech/Sentences.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace diglux {
namespace {

// The numbers, and their words as one text, since a table of pairs would fill a page.
void ExpectWords(const std::vector<int>& numbers, std::int16_t ordinal, const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words{std::istream_iterator<std::string>(in), {}};
    ASSERT_EQ(words.size(), numbers.size());
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        EXPECT_EQ(ZahlInWorten(numbers[i], kOneCounted, ordinal), words[i]) << numbers[i];
    }
}

TEST(ZahlInWorten, CardinalsAtTheEdgesOfTheirRulesAndTheOrdinalsOfTheDays) {
    // The stems of six and seven, the teens, the round tens, "-un-" from twenty on; from 100
    // on only the last two digits are said (the hundreds are the caller's).
    ExpectWords({0,  1,  2,  3,  6,  7,  8,  10, 11, 12, 13, 16, 17, 19, 20,
                 21, 26, 27, 30, 31, 40, 59, 60, 66, 70, 77, 80, 99, 126},
                0, R"(null eins zwei drei sechs sieben acht zehn elf zwölf drei-zehn sech-zehn
                      sieb-zehn neun-zehn zwan-zig ein-un-zwan-zig sechs-un-zwan-zig
                      sieben-un-zwan-zig drei-ßig ein-un-drei-ßig vier-zig neun-un-fünf-zig
                      sech-zig sechs-un-sech-zig sieb-zig sieben-un-sieb-zig acht-zig
                      neun-un-neun-zig sechs-un-zwan-zig)");
    EXPECT_EQ(ZahlInWorten(100, kOneCounted, 0), "");
    // The ordinals, for the days of the month.
    ExpectWords({1, 2, 3, 7, 8, 10, 11, 12, 13, 16, 17, 19, 20, 21, 27, 30, 31}, 1,
                R"(er-ste zwei-te drit-te sieb-te ach-te zehn-te elf-te zwölf-te drei-zehn-te
                   sech-zehn-te sieb-zehn-te neun-zehn-te zwan-zig-ste ein-un-zwan-zig-ste
                   sieben-un-zwan-zig-ste drei-ßig-ste ein-un-drei-ßig-ste)");
}

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

// The words of an announcement, joined by blanks.
std::string Said(const std::string& dateSentence, const std::string& timeSentence) {
    std::string joined;
    for (const std::string& word :
         AnnouncementWords(AnnouncementText(dateSentence, timeSentence, false))) {
        joined += (joined.empty() ? "" : " ") + word;
    }
    return joined;
}

// The rewrites of the voice forms (fragments, umlauts, sharp s, punctuation) are proved by
// every word finding its clip below; here the two pauses between a date and a time, and that
// text after the last blank is no word.
TEST(AnnouncementWords, DateAndTimeAreJoinedWithTwoPausesAndWordsEndAtABlank) {
    EXPECT_EQ(Said(DatumInWorten(On(2026, 12, 24), {false, kVoiceForm}),
                   ZeitInWorten(At(12, 30, 0), {false, kVoiceForm})),
              "Heute ist der vier un zwan zig ste Dezember zwei tausend sechs un zwan zig ~ ~ "
              "Es ist ~ zwoelf Uhr drei ssig");
    EXPECT_EQ(AnnouncementWords("  Es   ist zehn"), (std::vector<std::string>{"Es", "ist"}));
    EXPECT_TRUE(AnnouncementWords("").empty());
}

void ExpectClips(const EmbeddedResources& clips, const std::string& sentence) {
    for (const std::string& word : AnnouncementWords(AnnouncementText("", sentence, false))) {
        ASSERT_GT(clips.Load("VOICE1", word).size(), 44u) << word << " in " << sentence;
    }
}

TEST(AnnouncementWords, EveryTimeAndDateHasAClipForEachWord) {
    const EmbeddedResources clips;
    for (int h = 0; h < 24; ++h) {
        for (int m = 0; m < 60; ++m) {
            ExpectClips(clips, ZeitInWorten(At(h, m, (m + h) % 60), {true, kVoiceForm}));
        }
    }
    const int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int mo = 1; mo <= 12; ++mo) {
        for (int d = 1; d <= days[mo - 1]; ++d) {
            ExpectClips(clips, DatumInWorten(On(2024, mo, d), {true, kVoiceForm}));
        }
    }
    for (int y = 1900; y <= 2199; ++y) {
        ExpectClips(clips, DatumInWorten(On(y, 1, 1), {false, kVoiceForm}));
    }
}

} // namespace
} // namespace diglux
