// The SDL sound device. With SDL's disk driver, which writes exactly the samples the device
// plays into a file: a sound arrives sample for sample, the output gain scales it, a sound
// ends by itself and takes SDL's audio thread with it, Stop cuts a sound short, and
// unreadable sounds or a missing audio driver fail quietly. Against a real PulseAudio
// server (SdlPulsePlayback): a synchronous sound returns after its length with its end
// heard on the null sink, and no stream or client of the clock is left.
#include "host/linux/SdlSoundDevice.h"

#include "host/EmbeddedResources.h"
#include "speech/WaveImage.h"
#include "tests/host/HostTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>
#include <unistd.h>

namespace diglux {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Samples = std::vector<std::int16_t>;
namespace fs = std::filesystem;

long Milliseconds(Clock::duration d) {
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(d).count());
}

// The samples of raw 16-bit audio, or of a wave file after its header.
Samples SamplesIn(std::span<const char> bytes) {
    Samples samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

Samples SamplesOf(std::span<const std::uint8_t> wave) {
    return SamplesIn({reinterpret_cast<const char*>(wave.data()) + kWaveHeaderSize,
                      wave.size() - kWaveHeaderSize});
}

int ThreadCount() {
    return static_cast<int>(
        std::distance(fs::directory_iterator("/proc/self/task"), fs::directory_iterator()));
}

// A beep of 200 ms.
std::span<const std::uint8_t> Piep() {
    return EmbeddedResources().Load("SOUNDS", "PIEP");
}

// Four seconds of the alarm sound.
std::vector<std::uint8_t> LongSound() {
    const auto alarm = EmbeddedResources().Load("SOUNDS", "ALARM");
    WaveImage image;
    for (int i = 0; i < 8; ++i) {
        image.Append(alarm);
    }
    return image.Finish();
}

class SdlSoundDeviceTest : public ::testing::Test {
  protected:
    ~SdlSoundDeviceTest() override { fs::remove(output); }

    // What the device wrote, without the silent buffers it may write between opening and
    // starting to play.
    Samples Written() const {
        const Samples samples = WrittenWithLeadingSilence();
        std::size_t start = 0;
        while (start + kBufferFrames <= samples.size() &&
               std::all_of(samples.begin() + static_cast<long>(start),
                           samples.begin() + static_cast<long>(start + kBufferFrames),
                           [](std::int16_t s) { return s == 0; })) {
            start += kBufferFrames;
        }
        return Samples(samples.begin() + static_cast<long>(start), samples.end());
    }

    Samples WrittenWithLeadingSilence() const { return SamplesIn(test::ReadText(output)); }

    static constexpr std::size_t kBufferFrames = 1024; // the device's buffer, mono

    const fs::path output =
        fs::temp_directory_path() / ("diglux-sdl-disk-" + std::to_string(getpid()));
    test::ScopedEnv driver{"SDL_AUDIODRIVER", "disk"};
    test::ScopedEnv file{"SDL_DISKAUDIOFILE", output.c_str()};
    SdlOutputGain gain;
};

// At half volume every sample must be the exact scaled one; muted, only silence is written.
// (A joined announcement through a real sound server is checked end to end.)
TEST_F(SdlSoundDeviceTest, PlaysSampleForSampleScaledByTheGain) {
    SdlSoundDevice device(gain);
    ASSERT_TRUE(device.Usable());
    gain.SetVolume(SdlOutputGain::kMaximum / 2);
    ASSERT_TRUE(device.PlayWave(Piep(), SoundFlags{}));

    Samples expected = SamplesOf(Piep());
    for (std::int16_t& sample : expected) {
        sample = static_cast<std::int16_t>(sample * (SdlOutputGain::kMaximum / 2) /
                                           SdlOutputGain::kMaximum);
    }
    const Samples written = Written();
    ASSERT_GE(written.size(), expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), written.begin()));
    EXPECT_TRUE(std::all_of(written.begin() + static_cast<long>(expected.size()), written.end(),
                            [](std::int16_t s) { return s == 0; }))
        << "only silence follows the sound";

    gain.SetMuted(true);
    ASSERT_TRUE(device.PlayWave(Piep(), SoundFlags{}));
    const Samples muted = WrittenWithLeadingSilence();
    EXPECT_GE(muted.size(), SamplesOf(Piep()).size());
    EXPECT_TRUE(std::all_of(muted.begin(), muted.end(), [](std::int16_t s) { return s == 0; }));
}

TEST_F(SdlSoundDeviceTest, AnAsynchronousSoundEndsByItselfOrIsCutByStopOrANewSound) {
    SdlSoundDevice device(gain);
    const int idle = ThreadCount();
    const auto piep = Piep();
    const fs::path wav = output.string() + ".wav"; // deleted while it plays
    test::WriteText(wav, std::string(piep.begin(), piep.end()));
    ASSERT_TRUE(device.PlayFile(wav, SoundFlags{.async = true}));
    fs::remove(wav);
    EXPECT_GT(ThreadCount(), idle) << "SDL's audio thread runs while the sound plays";
    std::this_thread::sleep_for(800ms);
    EXPECT_EQ(ThreadCount(), idle) << "and is gone once it has ended";
    const Samples written = Written();
    const Samples expected = SamplesOf(piep);
    ASSERT_GE(written.size(), expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), written.begin()));

    const auto longSound = LongSound();
    ASSERT_TRUE(device.PlayWave(longSound, SoundFlags{.async = true}));
    std::this_thread::sleep_for(300ms);
    const auto stopped = Clock::now();
    device.Stop();
    EXPECT_LT(Milliseconds(Clock::now() - stopped), 200);
    EXPECT_EQ(ThreadCount(), idle);
    EXPECT_LT(Written().size(), SamplesOf(longSound).size() / 2);

    ASSERT_TRUE(device.PlayWave(longSound, SoundFlags{.async = true}));
    ASSERT_TRUE(device.PlayWave(piep, SoundFlags{})); // replaces the long sound
    EXPECT_EQ(Written()[100], expected[100]);
    device.Stop();
    device.Stop(); // stopping a silent device does nothing
}

TEST_F(SdlSoundDeviceTest, UnreadableSoundsAndAMissingDriverFailQuietly) {
    SdlSoundDevice device(gain);
    EXPECT_FALSE(device.PlayWave(std::vector<std::uint8_t>(100, 7), SoundFlags{}));
    EXPECT_FALSE(device.PlayWave({}, SoundFlags{}));
    EXPECT_FALSE(device.PlayFile("/nonexistent/diglux.wav", SoundFlags{.async = true}));

    test::ScopedEnv noDriver("SDL_AUDIODRIVER", "no-such-driver");
    SdlSoundDevice silent(gain);
    EXPECT_FALSE(silent.Usable());
    EXPECT_FALSE(silent.PlayWave(Piep(), SoundFlags{}));
    silent.Stop();
}

TEST(SdlPulsePlayback, ASynchronousSoundReturnsAfterItsLengthWithItsEndHeard) {
    DIGLUX_REQUIRE_PULSE_SERVER();
    SdlOutputGain gain;
    SdlSoundDevice device(gain);
    ASSERT_TRUE(device.Usable());
    // A second and a half of the null sink's monitor, unmuted at full volume.
    test::TempFolder folder;
    const std::string raw = (folder.Path() / "sink.raw").string();
    test::RunCommand("pactl set-sink-mute nullsink 0; pactl set-sink-volume nullsink 100%");
    std::thread recorder([&raw] {
        test::RunCommand("timeout -s INT 1.5 parec --device=nullsink.monitor --raw "
                         "--format=s16le --rate=22050 --channels=1 --latency-msec=20 >" +
                         raw);
    });
    std::this_thread::sleep_for(300ms); // until the stream runs
    const auto started = Clock::now();
    EXPECT_TRUE(device.PlayWave(Piep(), SoundFlags{})); // the recorder must be joined
    const long took = Milliseconds(Clock::now() - started);
    EXPECT_EQ(test::RunCommand("pactl list sink-inputs; pactl list clients").find("Diglux"),
              std::string::npos)
        << "the device, stream and client, is closed when the call returns";
    recorder.join();
    EXPECT_GE(took, 200);
    EXPECT_LT(took, 1000);
    // The first and last loud sample, in milliseconds.
    const Samples samples = SamplesIn(test::ReadText(raw));
    const auto loud = [](std::int16_t s) { return std::abs(s) > 1000; };
    const auto first = std::find_if(samples.begin(), samples.end(), loud);
    ASSERT_NE(first, samples.end()) << "the beep reached the sink";
    const auto last = std::find_if(samples.rbegin(), samples.rend(), loud).base() - 1;
    EXPECT_NEAR((last - first) * 1000 / 22050, 200, 30) << "the whole beep, its end included";
}

} // namespace
} // namespace diglux
