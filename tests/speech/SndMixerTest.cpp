// The mixer in percent and the save, raise and restore order, against the fake mixer.
#include "speech/SndMixer.h"

#include "tests/support/FakeHost.h"

#include <gtest/gtest.h>

namespace diglux {
namespace {

constexpr auto kMaster = MixerOutput::Master;
constexpr auto kWave = MixerOutput::Wave;
constexpr auto kVolume = MixerControl::Volume;
constexpr auto kMute = MixerControl::Mute;

TEST(DivideRoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(DivideRoundHalfEven(65535 * 50, 100), 32768); // 32767.5
    EXPECT_EQ(DivideRoundHalfEven(5, 2), 2);
    EXPECT_EQ(DivideRoundHalfEven(-7, 2), -4);
    EXPECT_EQ(DivideRoundHalfEven(151, 100), 2);
}

class SndMixerTest : public ::testing::Test {
  protected:
    SndMixerTest() {
        for (const MixerOutput line : {kMaster, kWave}) {
            host.mixer.bounds[{line, kVolume}] = {0, 65535};
            host.mixer.bounds[{line, kMute}] = {0, 1};
        }
        host.mixer.values[{kMaster, kVolume}] = 6554; // 10 %
        host.mixer.values[{kMaster, kMute}] = 1;
        host.mixer.values[{kWave, kVolume}] = 13107; // 20 %
        host.mixer.values[{kWave, kMute}] = 0;
        settings.Volume_Set = true; // 50 % and 100 % by default
    }

    long Value(MixerOutput line, MixerControl control) {
        return host.mixer.values[{line, control}];
    }

    test::FakeHost host;
    Settings settings;
};

// Percents of the usual 0..65535 range are proved by the raise and restore below.
TEST_F(SndMixerTest, OddRangesOutOfRangePercentsAndMissingControls) {
    host.mixer.bounds[{kWave, kVolume}] = {-100, 100};
    host.mixer.values[{kWave, kVolume}] = -99;
    SndMixerControl control(host.mixer);
    ASSERT_TRUE(control.Choose(kWave, kVolume));
    EXPECT_EQ(control.Value(), 0); // 0.5 % rounds to the even 0
    control.SetValue(75);
    EXPECT_EQ(Value(kWave, kVolume), 50);
    control.SetValue(101);
    control.SetValue(-1);
    EXPECT_EQ(Value(kWave, kVolume), 50);

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

TEST_F(SndMixerTest, RaiseSetsMutesOffAndTheVolumesInOrderAndRestoresTheFirstSavedValues) {
    const auto before = host.mixer.values;
    SndMixer mixer(host.mixer, settings);
    mixer.SetVolNew();
    EXPECT_EQ(host.CallsStartingWith("mixer.Set"),
              (std::vector<std::string>{"mixer.Set 0 1 0", "mixer.Set 0 0 32768", "mixer.Set 1 1 0",
                                        "mixer.Set 1 0 65535"}));
    settings.Volume_Master = 80;
    mixer.SetVolNew(); // raised again before the restore
    EXPECT_EQ(Value(kMaster, kVolume), 52428);
    mixer.SetVolOld();
    EXPECT_EQ(host.mixer.values, before);
    host.log.clear();
    mixer.SetVolOld(); // nothing saved any more
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
              (std::vector<std::string>{"mixer.Set 0 0 32768", "mixer.Set 1 1 0"}));
}

} // namespace
} // namespace diglux
