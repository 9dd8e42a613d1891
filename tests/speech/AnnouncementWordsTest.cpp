// The words the voice player plays for times, dates, both, and the alarm, and that every
// sentence the clock can say finds a clip for each of its words.
#include "speech/AnnouncementText.h"
#include "speech/Sentences.h"

#include "host/EmbeddedResources.h"

#include <gtest/gtest.h>

namespace diglux {
namespace {

std::string VoiceTime(int h, int m, int s, bool withSeconds) {
    return ZeitInWorten(LocalDateTime{1899, 12, 30, h, m, s}, withSeconds, true, true, true);
}

std::string VoiceDate(int y, int mo, int d, bool withWeekday) {
    return DatumInWorten(LocalDateTime{y, mo, d, 0, 0, 0}, withWeekday, true, true, true);
}

// The words of an announcement, joined by blanks.
std::string Said(const std::string& dateSentence, const std::string& timeSentence, bool alarm) {
    std::string joined;
    for (const std::string& word :
         AnnouncementWords(AnnouncementText(dateSentence, timeSentence, alarm))) {
        joined += (joined.empty() ? "" : " ") + word;
    }
    return joined;
}

TEST(AnnouncementWords, TimesAndDatesSpellOutUmlautsAndSharpS) {
    EXPECT_EQ(Said("", VoiceTime(21, 7, 1, true), false),
              "Es ist ~ ein un zwan zig Uhr sieben ~ und ~ eine Sekunde");
    EXPECT_EQ(Said(VoiceDate(2022, 3, 1, true), "", false),
              "Heute ist Dienstag ~ der er ste Maerz zwei tausend zwei un zwan zig");
    EXPECT_EQ(Said(VoiceDate(1999, 12, 31, false), "", false),
              "Heute ist der ein un drei ssig ste Dezember neun zehn hundert neun un neun zig");
    // A date and a time are said with two pauses between them.
    EXPECT_EQ(Said(VoiceDate(2026, 12, 24, false), VoiceTime(12, 30, 0, false), false),
              "Heute ist der vier un zwan zig ste Dezember zwei tausend sechs un zwan zig ~ ~ "
              "Es ist ~ zwoelf Uhr drei ssig");
}

TEST(AnnouncementWords, AlarmPrefixAloneAndInFront) {
    const std::string prefix = "Alarm ~ ~ Alarm ~ ~ Alarm ~ ~ Alarm ~ ~ Alarm ~ ~";
    EXPECT_EQ(Said("", "", true), prefix);
    EXPECT_EQ(Said("", VoiceTime(7, 5, 0, false), true), prefix + " Es ist ~ sieben Uhr fuenf");
}

TEST(AnnouncementWords, TextAfterTheLastBlankIsNoWord) {
    EXPECT_EQ(AnnouncementWords("  Es   ist zehn"), (std::vector<std::string>{"Es", "ist"}));
    EXPECT_TRUE(AnnouncementWords("").empty());
    EXPECT_TRUE(AnnouncementText("", "", false).empty());
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
            ExpectClips(clips, VoiceTime(h, m, (m + h) % 60, true));
        }
    }
    const int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int mo = 1; mo <= 12; ++mo) {
        for (int d = 1; d <= days[mo - 1]; ++d) {
            ExpectClips(clips, VoiceDate(2024, mo, d, true));
        }
    }
    for (int y = 1900; y <= 2199; ++y) {
        ExpectClips(clips, VoiceDate(y, 1, 1, false));
    }
}

} // namespace
} // namespace diglux
