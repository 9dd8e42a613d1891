// The voice player against the fake host: the joined image, the beep on every failure, and
// the time and date requests. (The file branch of older systems is never taken: the Linux
// host reports version 10.)
#include "speech/VoicePlayer.h"

#include "tests/support/FakeHost.h"

#include <gtest/gtest.h>

namespace diglux {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A clip with a recognisable header byte and the given sample bytes.
Bytes Clip(std::uint8_t headerMark, const Bytes& samples) {
    Bytes clip(44 + samples.size(), 0);
    clip[0] = 'R';
    clip[20] = headerMark;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        clip[44 + i] = samples[i];
    }
    return clip;
}

std::uint32_t Uint32At(const Bytes& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

class VoicePlayerTest : public ::testing::Test {
  protected:
    VoicePlayerTest() {
        state.VoiceResType = "VOICE1";
        state.SoundResType = "SOUNDS";
        host.clock.now = {2022, 3, 1, 10, 0, 0};
    }

    // A player with the file layer of older systems, or without one.
    VoicePlayer Player(FileSystem* files = nullptr) {
        return VoicePlayer(sound, host.resources, host.desktop, host.clock, state, environment,
                           files);
    }

    // "Es ist ~ zehn Uhr" from five small clips.
    void UseSmallClips() {
        host.resources.Override("VOICE1", "ES", Clip(1, {1, 0}));
        host.resources.Override("VOICE1", "IST", Clip(2, {2, 0, 2, 0}));
        host.resources.Override("VOICE1", "~", Clip(3, {0, 0}));
        host.resources.Override("VOICE1", "ZEHN", Clip(4, {4, 0, 4, 1}));
        host.resources.Override("VOICE1", "UHR", Clip(5, {5, 0}));
    }

    test::FakeHost host;
    ClockState state;
    Environment environment{host.system, host.desktop, host.clock, host.resources};
    SoundPlayer sound{host.sound, host.resources};
};

// The alarm's call: five alarm tones from the sound clips, each followed by two pauses,
// then the time, all behind the first clip's header.
TEST_F(VoicePlayerTest, JoinsTheAlarmAndTheWordsBehindTheFirstHeader) {
    UseSmallClips();
    host.resources.Override("SOUNDS", "ALARM", Clip(6, {6, 6}));
    EXPECT_TRUE(Player().Ansage(1, AnsageWhen{}, false, "", false, false, true));
    EXPECT_EQ(host.CallsStartingWith("sound."),
              (std::vector<std::string>{"sound.PlayWave memory async"}));
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

TEST_F(VoicePlayerTest, EveryFailureBeepsAndPlaysNothing) {
    VoicePlayer player = Player();
    // Nothing to say, or a time or date that cannot be read.
    EXPECT_FALSE(player.Ansage(AnsageWhen{}, std::string(), false, "", false, false, false));
    EXPECT_FALSE(player.Ansage(2, 0, false, "", false, false, false));
    EXPECT_FALSE(player.Ansage(std::string("kein Datum"), 0, false, "", false, false, false));
    SagZeitRequest request;
    request.whenText = "zehn Uhr";
    EXPECT_FALSE(player.SagZeitX(request));
    // A clip too short to hold a sample, or none at all.
    UseSmallClips();
    host.resources.Override("VOICE1", "UHR", Clip(5, {}));
    EXPECT_FALSE(player.Ansage(1, 0, false, "", false, false, false));
    host.resources.Override("VOICE1", "UHR", Clip(5, {5, 0}));
    host.clock.now.minute = 1;
    host.resources.Override("VOICE1", "EINS", {});
    EXPECT_FALSE(player.Ansage(1, 0, false, "", false, false, false));
    // A file that cannot be written, or no file layer to write it.
    host.clock.now.minute = 0;
    host.files.failWrites = true;
    EXPECT_FALSE(Player(&host.files).Ansage(1, 0, false, "/nowhere/a.wav", false, false, false));
    EXPECT_FALSE(player.Ansage(1, 0, false, "/tmp/a.wav", false, false, false));
    EXPECT_EQ(host.CallsStartingWith("desktop.Beep").size(), 8u);
    EXPECT_TRUE(host.CallsStartingWith("sound.").empty());
}

TEST_F(VoicePlayerTest, SagZeitXSaysTheTextsTimeAndDate) {
    VoicePlayer player = Player();
    SagZeitRequest request;
    request.whenText = "01.03.2022 21:07:01";
    request.sayDate = true;
    request.withWeekday = true;
    request.withSeconds = true;
    EXPECT_TRUE(player.SagZeitX(request));
    const Bytes spoken = host.sound.lastWave;
    EXPECT_TRUE(player.Ansage(LocalDateTime{1899, 12, 30, 21, 7, 1},
                              LocalDateTime{2022, 3, 1, 0, 0, 0}, true, "", false, true, false));
    EXPECT_EQ(spoken, host.sound.lastWave);

    request.whenText = "21:07:01"; // a text without a date says today
    request.sayTime = false;
    request.withWeekday = false;
    EXPECT_TRUE(player.SagZeitX(request));
    const Bytes today = host.sound.lastWave;
    EXPECT_TRUE(player.Ansage(0, 1, false, "", false, false, false));
    EXPECT_EQ(today, host.sound.lastWave);
}

} // namespace
} // namespace diglux
