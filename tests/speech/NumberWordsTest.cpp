// Number words against tables written out by hand, one German word per number.
#include "speech/Numbers.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace diglux {
namespace {

std::vector<std::string> Words(const std::string& lines) {
    std::istringstream in(lines);
    std::vector<std::string> words;
    for (std::string w; in >> w;) {
        words.push_back(w);
    }
    return words;
}

// 0..99 as counted ("eins"), with the fragments that have a clip.
const std::vector<std::string> kCardinals = Words(R"(
null eins zwei drei vier fünf sechs sieben acht neun
zehn elf zwölf drei-zehn vier-zehn fünf-zehn sech-zehn sieb-zehn acht-zehn neun-zehn
zwan-zig ein-un-zwan-zig zwei-un-zwan-zig drei-un-zwan-zig vier-un-zwan-zig
fünf-un-zwan-zig sechs-un-zwan-zig sieben-un-zwan-zig acht-un-zwan-zig neun-un-zwan-zig
drei-ßig ein-un-drei-ßig zwei-un-drei-ßig drei-un-drei-ßig vier-un-drei-ßig
fünf-un-drei-ßig sechs-un-drei-ßig sieben-un-drei-ßig acht-un-drei-ßig neun-un-drei-ßig
vier-zig ein-un-vier-zig zwei-un-vier-zig drei-un-vier-zig vier-un-vier-zig
fünf-un-vier-zig sechs-un-vier-zig sieben-un-vier-zig acht-un-vier-zig neun-un-vier-zig
fünf-zig ein-un-fünf-zig zwei-un-fünf-zig drei-un-fünf-zig vier-un-fünf-zig
fünf-un-fünf-zig sechs-un-fünf-zig sieben-un-fünf-zig acht-un-fünf-zig neun-un-fünf-zig
sech-zig ein-un-sech-zig zwei-un-sech-zig drei-un-sech-zig vier-un-sech-zig
fünf-un-sech-zig sechs-un-sech-zig sieben-un-sech-zig acht-un-sech-zig neun-un-sech-zig
sieb-zig ein-un-sieb-zig zwei-un-sieb-zig drei-un-sieb-zig vier-un-sieb-zig
fünf-un-sieb-zig sechs-un-sieb-zig sieben-un-sieb-zig acht-un-sieb-zig neun-un-sieb-zig
acht-zig ein-un-acht-zig zwei-un-acht-zig drei-un-acht-zig vier-un-acht-zig
fünf-un-acht-zig sechs-un-acht-zig sieben-un-acht-zig acht-un-acht-zig neun-un-acht-zig
neun-zig ein-un-neun-zig zwei-un-neun-zig drei-un-neun-zig vier-un-neun-zig
fünf-un-neun-zig sechs-un-neun-zig sieben-un-neun-zig acht-un-neun-zig neun-un-neun-zig
)");

// Days of the month 1..31.
const std::vector<std::string> kOrdinals = Words(R"(
er-ste zwei-te drit-te vier-te fünf-te sechs-te sieb-te ach-te neun-te zehn-te
elf-te zwölf-te drei-zehn-te vier-zehn-te fünf-zehn-te sech-zehn-te sieb-zehn-te
acht-zehn-te neun-zehn-te zwan-zig-ste ein-un-zwan-zig-ste zwei-un-zwan-zig-ste
drei-un-zwan-zig-ste vier-un-zwan-zig-ste fünf-un-zwan-zig-ste sechs-un-zwan-zig-ste
sieben-un-zwan-zig-ste acht-un-zwan-zig-ste neun-un-zwan-zig-ste drei-ßig-ste
ein-un-drei-ßig-ste
)");

TEST(ZahlInWorten, EveryCardinalFromZeroToNinetyNine) {
    ASSERT_EQ(kCardinals.size(), 100u);
    for (int n = 0; n < 100; ++n) {
        EXPECT_EQ(ZahlInWorten(n, kOneCounted, 0), kCardinals[static_cast<std::size_t>(n)]) << n;
    }
}

TEST(ZahlInWorten, EveryDayOfTheMonthAsOrdinal) {
    ASSERT_EQ(kOrdinals.size(), 31u);
    for (int n = 1; n <= 31; ++n) {
        EXPECT_EQ(ZahlInWorten(n, kOneCounted, 1), kOrdinals[static_cast<std::size_t>(n - 1)]) << n;
    }
}

TEST(ZahlInWorten, TheFormOfOneMattersOnlyWhenItStandsAlone) {
    EXPECT_EQ(ZahlInWorten(1, kOneBeforeNoun, 0), "ein");
    EXPECT_EQ(ZahlInWorten(1, kOneCounted, 0), "eins");
    EXPECT_EQ(ZahlInWorten(1, kOneFeminine, 0), "eine");
    EXPECT_EQ(ZahlInWorten(1, kOneInYear, 0), "");
    for (std::int16_t form : {kOneBeforeNoun, kOneCounted, kOneFeminine, kOneInYear}) {
        EXPECT_EQ(ZahlInWorten(21, form, 0), "ein-un-zwan-zig") << form;
        EXPECT_EQ(ZahlInWorten(1, form, 1), "er-ste") << form;
    }
}

TEST(ZahlInWorten, ZeroIsSaidOnlyForTheWholeNumberZero) {
    EXPECT_EQ(ZahlInWorten(0, kOneInYear, 0), "null");
    EXPECT_EQ(ZahlInWorten(100, kOneCounted, 0), ""); // the hundreds are the caller's
    EXPECT_EQ(ZahlInWorten(126, kOneCounted, 0), "sechs-un-zwan-zig");
}

} // namespace
} // namespace diglux
