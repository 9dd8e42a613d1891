// Sound and mixer. With ALSA's file output (configured through ALSA_CONFIG_PATH), which writes
// exactly the samples it is given into a file and plays them at once: a sound arrives sample for
// sample, scaled by the output gain, and unreadable sounds fail. Without a sound server or card,
// ALSA's complaints become one line. Without a sound card the ALSA mixer finds and changes
// nothing. Against the private PulseAudio server that tests/e2e/test-sound-server-lost.sh starts
// (it sets DIGLUX_PULSE_TEST): a synchronous sound returns after its length, an asynchronous one
// has its thread while it plays and none after, Stop or a new sound cuts a sound short, and no
// stream or client of the clock is left; raising and restoring the volume are seen by pactl,
// and the wave line is the program's own gain (the server has no "PCM" control). That the whole
// of a synchronous sound, its end included, is heard on the server's null sink is proven end to
// end: the hourly signal's beep is played so, and tests/e2e/test-hourly-announcement.sh
// measures its length on the sink.
#include "host/EmbeddedResources.h"
#include "host/linux/AlsaMixer.h"
#include "host/linux/AlsaSoundDevice.h"
#include "model/Settings.h"
#include "speech/SndMixer.h"
#include "speech/WaveImage.h"
#include "tests/host/HostTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace diglux {
namespace {

using namespace host_test;

using Samples = std::vector<std::int16_t>;
constexpr int kMax = SdlOutputGain::kMaximum;

// The samples of a wave file after its header, or of raw 16-bit audio (skip 0).
Samples SamplesOf(std::span<const std::uint8_t> bytes, std::size_t skip = kWaveHeaderSize) {
    Samples samples((bytes.size() - skip) / 2);
    std::memcpy(samples.data(), bytes.data() + skip, samples.size() * 2);
    return samples;
}

// Any sample but silence.
constexpr auto Audible = [](std::int16_t sample) { return sample != 0; };

// The samples without the silence at their end.
Samples Sounding(Samples samples) {
    samples.erase(std::find_if(samples.rbegin(), samples.rend(), Audible).base(), samples.end());
    return samples;
}

// A beep of 200 ms.
const auto Piep = [] { return EmbeddedResources().Load("SOUNDS", "PIEP"); };

const auto Tasks = [] { return std::distance(fs::directory_iterator("/proc/self/task"), {}); };

// Eight alarm tones, about four seconds.
std::vector<std::uint8_t> LongSound() {
    WaveImage alarm;
    for (int i = 0; i < 8; ++i) {
        alarm.Append(EmbeddedResources().Load("SOUNDS", "ALARM"));
    }
    return alarm.Finish();
}

// The beep arrives whole, every sample the exact one, then at half volume the exact scaled ones;
// muted, the sound's length of silence is written. Unreadable sounds fail.
TEST(AlsaSoundDevice, PlaysSampleForSampleScaledByTheGainAndFailsQuietly) {
    TempFolder folder;
    const fs::path output = folder.path / "out.raw", config = folder.path / "asound.conf";
    WriteText(config, "pcm.!default { type file slave.pcm \"null\" file \"" + output.string() +
                          "\" format \"raw\" }\npcm.null { type null }\n");
    ScopedEnv alsa{"ALSA_CONFIG_PATH", config.c_str()};
    SdlOutputGain gain;
    AlsaSoundDevice device{gain};
    const auto File = [&output] { return SamplesOf(Bytes(ReadText(output)), 0); };
    ASSERT_TRUE(device.Usable());
    ASSERT_TRUE(device.PlayWave(Piep(), SoundFlags{}));
    EXPECT_EQ(Sounding(File()), Sounding(SamplesOf(Piep())));

    gain.SetVolume(kMax / 2);
    ASSERT_TRUE(device.PlayWave(Piep(), SoundFlags{}));
    Samples expected = SamplesOf(Piep());
    std::ranges::transform(expected, expected.begin(),
                           [](int s) { return static_cast<std::int16_t>(s * (kMax / 2) / kMax); });
    EXPECT_EQ(Sounding(File()), Sounding(expected));
    gain.SetMuted(true);
    ASSERT_TRUE(device.PlayWave(Piep(), SoundFlags{}));
    EXPECT_GE(File().size(), expected.size());
    EXPECT_TRUE(Sounding(File()).empty());
    EXPECT_FALSE(device.PlayWave(std::vector<std::uint8_t>(100, 7), SoundFlags{}));
    EXPECT_FALSE(device.PlayWave({}, SoundFlags{}));
}

// Without a sound server or card, ALSA's many complaints reach stderr as one line of the
// clock's own.
TEST(AlsaSoundDevice, WithoutAnyDeviceAlsaSaysOneLineOnce) {
    ScopedEnv server{"PULSE_SERVER", "unix:/nonexistent"};
    SdlOutputGain gain;
    AlsaSoundDevice device(gain);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(device.PlayWave(Piep(), SoundFlags{}) || device.PlayWave(Piep(), SoundFlags{}));
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(said.starts_with("diglux: sound: ")) << said;
    EXPECT_EQ(std::ranges::count(said, '\n'), 1) << said;
}

TEST(AlsaMixer, WithoutACardNothingIsFoundOrChanged) {
    SdlOutputGain gain;
    AlsaMixer mixer(gain, "no-such-card");
    for (MixerOutput line : {MixerOutput::Master, MixerOutput::Wave}) {
        for (MixerControl control : {MixerControl::Volume, MixerControl::Mute}) {
            EXPECT_FALSE(mixer.Bounds(line, control) || mixer.Get(line, control));
            EXPECT_FALSE(mixer.Set(line, control, 1));
        }
        EXPECT_EQ(mixer.OutputName(line), "");
    }
    EXPECT_TRUE(gain.Volume() == kMax && !gain.Muted());
}

// Runs only inside tests/e2e/test-sound-server-lost.sh, with its private server and null sink.
//
// Playback: the call returns after the beep (200 ms), with the output, stream and client
// closed. The thread of an asynchronous sound runs while it plays and is gone once it has ended;
// Stop returns at once, the thread gone, and a new sound cuts the one playing short.
//
// The mixer: the sink starts at 30 % and muted, the program's gain at 30 % (19660, which the
// percent scale gives back unchanged); the alarm's volumes (master 80 %, wave 100 %) are set
// and then the old ones restored. The sink's state shows that the old ones were read right,
// the gain that the wave line is the program's own.
TEST(AlsaOnPulse, PlaybackReturnsAfterItsLengthOrIsCutShortAndTheMixerRaisesAndRestores) {
    if (std::getenv("DIGLUX_PULSE_TEST") == nullptr) {
        GTEST_SKIP() << "runs in tests/e2e/test-sound-server-lost.sh (private PulseAudio)";
    }
    SdlOutputGain gain;
    AlsaSoundDevice device(gain);
    ASSERT_TRUE(device.Usable());
    const auto Took = [](Clock::time_point since) { return (Clock::now() - since) / 1ms; };
    const auto idle = Tasks(); // the process's threads
    auto started = Clock::now();
    EXPECT_TRUE(device.PlayWave(Piep(), SoundFlags{}));
    EXPECT_TRUE(Took(started) >= 200 && Took(started) < 1000) << Took(started) << " ms";
    ASSERT_TRUE(device.PlayWave(Piep(), SoundFlags{.async = true}));
    EXPECT_GT(Tasks(), idle);
    std::this_thread::sleep_for(800ms);
    EXPECT_EQ(Tasks(), idle);
    ASSERT_TRUE(device.PlayWave(LongSound(), SoundFlags{.async = true}));
    std::this_thread::sleep_for(300ms);
    started = Clock::now();
    device.Stop();
    EXPECT_LT(Took(started), 200);
    EXPECT_EQ(Tasks(), idle);
    ASSERT_TRUE(device.PlayWave(LongSound(), SoundFlags{.async = true}));
    started = Clock::now();
    EXPECT_TRUE(device.PlayWave(Piep(), SoundFlags{})); // replaces the alarm
    EXPECT_LT(Took(started), 1000);
    EXPECT_FALSE(Says("pactl list sink-inputs; pactl list clients", "ALSA plug-in"));

    const std::string sink = "pactl get-sink-volume nullsink; pactl get-sink-mute nullsink";
    RunCommand("pactl set-sink-volume nullsink 30%; pactl set-sink-mute nullsink 1");
    gain.SetVolume(19660);
    AlsaMixer mixer(gain);
    ASSERT_TRUE(mixer.Bounds(MixerOutput::Master, MixerControl::Volume).has_value());
    Settings state{.Volume_Set = true, .Volume_Master = 80, .Volume_Wave = 100};
    SndMixer volumes(mixer, state);
    volumes.SetVolNew();
    EXPECT_TRUE(Says(sink, " 80% ") && Says(sink, "Mute: no")) << RunCommand(sink);
    EXPECT_EQ(gain.Volume(), kMax);
    volumes.SetVolOld();
    EXPECT_TRUE(Says(sink, " 30% ") && Says(sink, "Mute: yes")) << RunCommand(sink);
    EXPECT_EQ(gain.Volume(), 19660);
}

} // namespace
} // namespace diglux
