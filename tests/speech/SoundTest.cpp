// The voice and the volume against the fake host: the voice player's joined image, the beep on
// every failure and the announcement file of older systems; the mixer in percent and the save,
// raise and restore order.
#include "speech/SndMixer.h"
#include "speech/VoicePlayer.h"

#include "tests/support/FakeHost.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace diglux
