// Number words at the edges of their rules, written out by hand, with the fragments that
// have a clip.
#include "speech/Numbers.h"

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

TEST(ZahlInWorten, CardinalsAtTheEdgesOfTheirRules) {
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
}

TEST(ZahlInWorten, OrdinalsForTheDaysOfTheMonth) {
    ExpectWords({1, 2, 3, 7, 8, 10, 11, 12, 13, 16, 17, 19, 20, 21, 27, 30, 31}, 1,
                R"(er-ste zwei-te drit-te sieb-te ach-te zehn-te elf-te zwölf-te drei-zehn-te
                   sech-zehn-te sieb-zehn-te neun-zehn-te zwan-zig-ste ein-un-zwan-zig-ste
                   sieben-un-zwan-zig-ste drei-ßig-ste ein-un-drei-ßig-ste)");
}

TEST(ZahlInWorten, TheFormOfOneMattersOnlyWhenItStandsAlone) {
    EXPECT_EQ(ZahlInWorten(1, kOneBeforeNoun, 0), "ein");
    EXPECT_EQ(ZahlInWorten(1, kOneCounted, 0), "eins");
    EXPECT_EQ(ZahlInWorten(1, kOneFeminine, 0), "eine");
    EXPECT_EQ(ZahlInWorten(1, kOneInYear, 0), "");
    for (std::int16_t form : {kOneBeforeNoun, kOneCounted, kOneFeminine, kOneInYear}) {
        EXPECT_EQ(ZahlInWorten(21, form, 0), "ein-un-zwan-zig") << form;
    }
}

} // namespace
} // namespace diglux
