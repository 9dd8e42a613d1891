// The ALSA mixer: without a card nothing is found or changed; against the private
// PulseAudio server, raising and restoring the volume are seen by pactl, and the wave line
// is the program's own gain (the server has no "PCM" control).
#include "host/linux/AlsaMixer.h"

#include "model/Settings.h"
#include "speech/SndMixer.h"
#include "tests/host/HostTestSupport.h"

#include <gtest/gtest.h>

namespace diglux {
namespace {

std::string SinkVolume() {
    return test::RunCommand("pactl get-sink-volume nullsink | head -n 1");
}

bool SinkMuted() {
    return test::RunCommand("pactl get-sink-mute nullsink").find("yes") != std::string::npos;
}

TEST(AlsaMixer, WithoutACardNothingIsFoundOrChanged) {
    SdlOutputGain gain;
    AlsaMixer mixer(gain, "no-such-card");
    for (MixerOutput line : {MixerOutput::Master, MixerOutput::Wave}) {
        for (MixerControl control : {MixerControl::Volume, MixerControl::Mute}) {
            EXPECT_FALSE(mixer.Bounds(line, control).has_value());
            EXPECT_FALSE(mixer.Get(line, control).has_value());
            EXPECT_FALSE(mixer.Set(line, control, 1));
        }
        EXPECT_EQ(mixer.OutputName(line), "");
    }
    EXPECT_EQ(gain.Volume(), SdlOutputGain::kMaximum);
    EXPECT_FALSE(gain.Muted());
}

TEST(AlsaMixer, RaiseAndRestoreAreSeenByTheSoundServer) {
    DIGLUX_REQUIRE_PULSE_SERVER();
    test::RunCommand("pactl set-sink-volume nullsink 30%; pactl set-sink-mute nullsink 1");
    SdlOutputGain gain;
    gain.SetVolume(19660); // 30 %, which the percent scale gives back unchanged
    AlsaMixer mixer(gain);
    ASSERT_TRUE(mixer.Bounds(MixerOutput::Master, MixerControl::Volume).has_value());
    EXPECT_EQ(mixer.OutputName(MixerOutput::Master), "Master");
    EXPECT_EQ(mixer.OutputName(MixerOutput::Wave), "Wave");
    EXPECT_EQ(mixer.Get(MixerOutput::Master, MixerControl::Mute), 1);

    Settings state;
    state.Volume_Set = true;
    state.Volume_Master = 80;
    state.Volume_Wave = 100;
    SndMixer volumes(mixer, state);
    EXPECT_EQ(volumes.Mixer().Value(), 30);
    volumes.SetVolNew();
    EXPECT_NE(SinkVolume().find("80%"), std::string::npos) << SinkVolume();
    EXPECT_FALSE(SinkMuted());
    EXPECT_EQ(gain.Volume(), SdlOutputGain::kMaximum);

    volumes.SetVolOld();
    EXPECT_NE(SinkVolume().find("30%"), std::string::npos) << SinkVolume();
    EXPECT_TRUE(SinkMuted());
    EXPECT_EQ(gain.Volume(), 19660);
}

} // namespace
} // namespace diglux
