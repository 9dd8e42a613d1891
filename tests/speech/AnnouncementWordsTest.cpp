// The words the voice player plays for times and dates, and that every
// sentence the clock can say finds a clip for each of its words.
#include "speech/AnnouncementText.h"
#include "speech/Sentences.h"

#include "host/EmbeddedResources.h"

#include <gtest/gtest.h>

namespace diglux {
namespace {

std::string VoiceTime(int h, int m, int s, bool withSeconds) {
    return ZeitInWorten(LocalDateTime{2024, 1, 1, h, m, s}, {withSeconds, kVoiceForm});
}

std::string VoiceDate(int y, int mo, int d, bool withWeekday) {
    return DatumInWorten(LocalDateTime{y, mo, d, 0, 0, 0}, {withWeekday, kVoiceForm});
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
// every word finding its clip below; here the two pauses between a date and a time.
TEST(AnnouncementWords, DateAndTimeAreJoinedWithTwoPauses) {
    EXPECT_EQ(Said(VoiceDate(2026, 12, 24, false), VoiceTime(12, 30, 0, false)),
              "Heute ist der vier un zwan zig ste Dezember zwei tausend sechs un zwan zig ~ ~ "
              "Es ist ~ zwoelf Uhr drei ssig");
}

TEST(AnnouncementWords, TextAfterTheLastBlankIsNoWord) {
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
