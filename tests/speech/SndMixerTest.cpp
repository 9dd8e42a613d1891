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
