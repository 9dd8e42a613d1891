// Speech. German words: numbers at the edges of their rules, the time and date sentences in
// both forms, and the words the voice player plays, every one of them with a clip. The voice
// and the volume against the fake host: the voice player's joined image, the beep on every
// failure and the announcement file of older systems; the mixer in percent and the save, raise
// and restore order.
#include "host/EmbeddedResources.h"
#include "speech/AnnouncementText.h"
#include "speech/Numbers.h"
#include "speech/Sentences.h"
#include "speech/SndMixer.h"
#include "speech/VoicePlayer.h"
#include "tests/support/FakeHost.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace diglux {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A clip with a recognisable header byte and the given sample bytes.
Bytes Clip(std::uint8_t headerMark, const Bytes& samples) {
    Bytes clip(44 + samples.size(), 0);
    clip[20] = headerMark;
    std::copy(samples.begin(), samples.end(), clip.begin() + 44);
    return clip;
}

std::uint32_t Uint32At(const Bytes& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

class VoicePlayerTest : public ::testing::Test {
  protected:
    VoicePlayerTest() {
        // "Es ist ~ zehn Uhr" from five small clips.
        const std::vector<std::pair<std::string, Bytes>> clips{{"ES", Clip(1, {1, 0})},
                                                               {"IST", Clip(2, {2, 0, 2, 0})},
                                                               {"~", Clip(3, {0, 0})},
                                                               {"ZEHN", Clip(4, {4, 0, 4, 1})},
                                                               {"UHR", Clip(5, {5, 0})}};
        for (const auto& [name, clip] : clips) {
            host.resources.Override("VOICE1", name, clip);
        }
    }

    test::FakeHost host;
    const LocalDateTime tenOClock{2022, 3, 1, 10, 0, 0};
    const std::string file = "/tmp/diglux-1000/diglux.SagZeit.wav";
    Environment environment{host.system, host.desktop, host.clock, host.resources};
    SoundPlayer sound{host.sound, host.resources, &host.files};
    VoicePlayer player{sound, host.resources, host.desktop, environment, &host.files, file};
};

// The alarm's call: five alarm tones from the sound clips, each followed by two pauses,
// then the time, all behind the first clip's header, played without waiting.
TEST_F(VoicePlayerTest, JoinsTheAlarmAndTheWordsBehindTheFirstHeader) {
    host.resources.Override("SOUNDS", "ALARM", Clip(6, {6, 6}));
    EXPECT_TRUE(player.Ansage({.time = tenOClock, .alarm = true}));
    EXPECT_EQ(host.CallsStartingWith("sound."), (test::CallLog{"sound.PlayWave memory async"}));
    Bytes samples;
    for (int i = 0; i < 5; ++i) {
        samples.insert(samples.end(), {6, 6, 0, 0, 0, 0});
    }
    samples.insert(samples.end(), {1, 0, 2, 0, 2, 0, 0, 0, 4, 0, 4, 1, 5, 0});
    const Bytes& image = host.sound.lastWave;
    ASSERT_EQ(image.size(), 44u + samples.size());
    EXPECT_EQ(image[20], 6) << "header of the first clip";
    EXPECT_EQ(Uint32At(image, 4), image.size() - 8);
    EXPECT_EQ(Uint32At(image, 40), image.size() - 44);
    EXPECT_EQ(Bytes(image.begin() + 44, image.end()), samples);
}

// Nothing to say, a clip too short to hold a sample or none at all, a file that cannot be
// written or no file layer: each beeps and plays nothing.
TEST_F(VoicePlayerTest, EveryFailureBeepsAndPlaysNothing) {
    EXPECT_FALSE(player.Ansage({}));
    host.resources.Override("VOICE1", "UHR", Clip(5, {}));
    EXPECT_FALSE(player.Ansage({.time = tenOClock}));
    host.resources.Override("VOICE1", "UHR", Clip(5, {5, 0}));
    host.resources.Override("VOICE1", "EINS", {});
    EXPECT_FALSE(player.Ansage({.time = LocalDateTime{2022, 3, 1, 10, 1, 0}}));
    host.files.failWrites = true;
    EXPECT_FALSE(player.Ansage({.time = tenOClock}, "/nowhere/a.wav"));
    VoicePlayer withoutFiles{sound, host.resources, host.desktop, environment, nullptr, file};
    EXPECT_FALSE(withoutFiles.Ansage({.time = tenOClock}, "/tmp/a.wav"));
    EXPECT_EQ(host.CallsStartingWith("desktop.Beep").size(), 5u);
    EXPECT_TRUE(host.CallsStartingWith("sound.").empty());
}

// Older systems play the announcement from a file, which is gone once it has been read.
TEST_F(VoicePlayerTest, OlderSystemsGoThroughTheAnnouncementFile) {
    EXPECT_TRUE(player.SagZeitX({.time = tenOClock}));
    EXPECT_EQ(host.CallsStartingWith("sound."), (test::CallLog{"sound.PlayWave memory async"}));
    host.log.clear();
    host.system.os = {2, 5, 1};
    EXPECT_TRUE(player.SagZeitX({.time = tenOClock}));
    EXPECT_EQ(host.log, (test::CallLog{"files.WriteFile " + file, "sound.PlayWave memory async",
                                       "files.RemoveFile " + file}));
    // A file that is missing or empty plays nothing and leaves the sound that plays alone.
    host.log.clear();
    host.files.files["/tmp/empty.wav"] = "";
    sound.PlayFile("/tmp/empty.wav");
    sound.PlayFile("/nowhere/a.wav");
    EXPECT_TRUE(host.log.empty());
}

constexpr auto kMaster = MixerOutput::Master;
constexpr auto kWave = MixerOutput::Wave;
constexpr auto kVolume = MixerControl::Volume;
constexpr auto kMute = MixerControl::Mute;

class SndMixerTest : public ::testing::Test {
  protected:
    SndMixerTest() {
        auto& m = host.mixer;
        for (const MixerOutput output : {kMaster, kWave}) {
            m.bounds[{output, kVolume}] = {0, 65535};
            m.bounds[{output, kMute}] = {0, 1};
        }
        m.values = {{{kMaster, kVolume}, 6554},
                    {{kMaster, kMute}, 1},
                    {{kWave, kVolume}, 13107},
                    {{kWave, kMute}, 0}}; // 10 % muted, 20 % sounding
        settings.Volume_Set = true;       // 50 % and 100 % by default
    }
    test::FakeHost host;
    Settings settings;
};

// Halves round to the even percent and raw value; percents outside 0..100 are ignored; a range
// of one value reads 0; a missing control reads 0 and is not touched. (Percents of the usual
// 0..65535 range are proved by the raise and restore below.)
TEST_F(SndMixerTest, OddRangesOutOfRangePercentsAndMissingControls) {
    EXPECT_EQ(DivideRoundHalfEven(5, 2), 2);
    EXPECT_EQ(DivideRoundHalfEven(-7, 2), -4);
    host.mixer.bounds[{kWave, kVolume}] = {-100, 100};
    host.mixer.values[{kWave, kVolume}] = -99;
    SndMixerControl control(host.mixer);
    ASSERT_TRUE(control.Choose(kWave, kVolume));
    EXPECT_EQ(control.Value(), 0); // 0.5 % rounds to the even 0
    for (const int percent : {75, 101, -1}) {
        control.SetValue(percent);
    }
    EXPECT_EQ((host.mixer.values[{kWave, kVolume}]), 50);
    host.mixer.bounds[{kWave, kVolume}] = {7, 7};
    ASSERT_TRUE(control.Choose(kWave, kVolume));
    EXPECT_EQ(control.Value(), 0);
    host.mixer.bounds.erase({kWave, kMute});
    EXPECT_FALSE(control.Choose(kWave, kMute));
    EXPECT_EQ(control.Value(), 0);
    host.log.clear();
    control.SetValue(0);
    EXPECT_TRUE(host.log.empty());
}

// Mutes off and volumes set in order; raised twice, the first values saved are put back, once.
TEST_F(SndMixerTest, RaiseSetsMutesOffAndTheVolumesInOrderAndRestoresTheFirstSavedValues) {
    const auto before = host.mixer.values;
    SndMixer mixer(host.mixer, settings);
    mixer.SetVolNew();
    EXPECT_EQ(host.CallsStartingWith("mixer.Set"),
              (test::CallLog{"mixer.Set 0 1 0", "mixer.Set 0 0 32768", "mixer.Set 1 1 0",
                             "mixer.Set 1 0 65535"}));
    settings.Volume_Master = 80;
    mixer.SetVolNew();
    EXPECT_EQ((host.mixer.values[{kMaster, kVolume}]), 52428);
    mixer.SetVolOld();
    EXPECT_EQ(host.mixer.values, before);
    host.log.clear();
    mixer.SetVolOld();
    EXPECT_TRUE(host.log.empty());
}

TEST_F(SndMixerTest, OffOrWithoutControlsNothingIsTouched) {
    settings.Volume_Set = false;
    SndMixer mixer(host.mixer, settings);
    mixer.SetVolNew();
    mixer.SetVolOld();
    EXPECT_TRUE(host.CallsStartingWith("mixer.").empty());
    settings.Volume_Set = true;
    host.mixer.bounds.erase({kWave, kVolume});
    host.mixer.bounds.erase({kMaster, kMute});
    mixer.SetVolNew();
    EXPECT_EQ(host.CallsStartingWith("mixer.Set"),
              (test::CallLog{"mixer.Set 0 0 32768", "mixer.Set 1 1 0"}));
}

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
