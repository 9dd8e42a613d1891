// The SDL sound device with SDL's disk driver, which writes exactly the samples the device
// plays into a file: a joined announcement arrives sample for sample, the output gain scales
// it, a sound ends by itself and takes SDL's audio thread with it, Stop cuts a sound short,
// and unreadable sounds or a missing audio driver fail quietly.
#include "host/linux/SdlSoundDevice.h"

#include "host/EmbeddedResources.h"
#include "speech/WaveImage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include <unistd.h>

namespace diglux {
namespace {

using Samples = std::vector<std::int16_t>;
namespace fs = std::filesystem;

Samples SamplesOf(std::span<const std::uint8_t> wave) {
    Samples samples((wave.size() - kWaveHeaderSize) / 2);
    std::memcpy(samples.data(), wave.data() + kWaveHeaderSize, samples.size() * 2);
    return samples;
}

int ThreadCount() {
    return static_cast<int>(
        std::distance(fs::directory_iterator("/proc/self/task"), fs::directory_iterator()));
}

class SdlSoundDeviceTest : public ::testing::Test {
  protected:
    SdlSoundDeviceTest() {
        output = fs::temp_directory_path() / ("diglux-sdl-disk-" + std::to_string(::getpid()));
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    }
    ~SdlSoundDeviceTest() override {
        ::unsetenv("SDL_AUDIODRIVER");
        ::unsetenv("SDL_DISKAUDIOFILE");
        fs::remove(output);
    }

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

    Samples WrittenWithLeadingSilence() const {
        std::ifstream in(output, std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                      std::istreambuf_iterator<char>());
        Samples samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }

    static constexpr std::size_t kBufferFrames = 1024; // the device's buffer, mono

    // "Es ist ~ zehn Uhr" joined from the embedded clips.
    std::vector<std::uint8_t> Announcement() const {
        WaveImage image;
        for (const char* word : {"ES", "IST", "~", "ZEHN", "UHR"}) {
            image.Append(clips.Load("VOICE1", word));
        }
        return image.Finish();
    }

    fs::path output;
    EmbeddedResources clips;
    SdlOutputGain gain;
};

TEST_F(SdlSoundDeviceTest, PlaysAJoinedAnnouncementSampleForSample) {
    SdlSoundDevice device(gain);
    ASSERT_TRUE(device.Usable());
    const auto wave = Announcement();
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(device.PlayWave(wave, SoundFlags{}));
    const auto took = std::chrono::steady_clock::now() - started;

    const Samples expected = SamplesOf(wave);
    const Samples written = Written();
    ASSERT_GE(written.size(), expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), written.begin()));
    EXPECT_TRUE(std::all_of(written.begin() + static_cast<long>(expected.size()), written.end(),
                            [](std::int16_t s) { return s == 0; }))
        << "only silence follows the sound";
    EXPECT_GE(took, std::chrono::milliseconds(expected.size() * 1000 / 22050))
        << "a synchronous sound returns after its length";
}

TEST_F(SdlSoundDeviceTest, TheOutputGainScalesAndMutes) {
    SdlSoundDevice device(gain);
    const auto piep = clips.Load("SOUNDS", "PIEP");
    gain.SetVolume(SdlOutputGain::kMaximum / 2);
    ASSERT_TRUE(device.PlayWave(piep, SoundFlags{}));
    const Samples full = SamplesOf(piep);
    const Samples half = Written();
    ASSERT_GE(half.size(), full.size());
    for (std::size_t i = 0; i < full.size(); i += 97) {
        EXPECT_EQ(half[i], full[i] * (SdlOutputGain::kMaximum / 2) / SdlOutputGain::kMaximum);
    }
    gain.SetMuted(true);
    ASSERT_TRUE(device.PlayWave(piep, SoundFlags{}));
    const Samples muted = WrittenWithLeadingSilence();
    EXPECT_GE(muted.size(), full.size());
    EXPECT_TRUE(std::all_of(muted.begin(), muted.end(), [](std::int16_t s) { return s == 0; }));
}

TEST_F(SdlSoundDeviceTest, AnAsynchronousSoundEndsByItselfAndClosesTheDevice) {
    SdlSoundDevice device(gain);
    const int idle = ThreadCount();
    const auto piep = clips.Load("SOUNDS", "PIEP");
    ASSERT_TRUE(device.PlayWave(piep, SoundFlags{.async = true}));
    EXPECT_GT(ThreadCount(), idle) << "SDL's audio thread runs while the sound plays";
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    EXPECT_EQ(ThreadCount(), idle) << "and is gone once it has ended";
    EXPECT_GE(Written().size(), SamplesOf(piep).size());
}

TEST_F(SdlSoundDeviceTest, StopCutsASoundShortAndANewSoundReplacesIt) {
    SdlSoundDevice device(gain);
    const int idle = ThreadCount();
    const auto alarm = clips.Load("SOUNDS", "ALARM");
    WaveImage image;
    for (int i = 0; i < 8; ++i) {
        image.Append(alarm);
    }
    const auto& long_ = image.Finish(); // four seconds
    ASSERT_TRUE(device.PlayWave(long_, SoundFlags{.async = true}));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto stopped = std::chrono::steady_clock::now();
    device.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - stopped, std::chrono::milliseconds(200));
    EXPECT_EQ(ThreadCount(), idle);
    EXPECT_LT(Written().size(), SamplesOf(long_).size() / 2);

    ASSERT_TRUE(device.PlayWave(long_, SoundFlags{.async = true}));
    ASSERT_TRUE(device.PlayWave(clips.Load("SOUNDS", "PIEP"), SoundFlags{}));
    EXPECT_EQ(Written()[100], SamplesOf(clips.Load("SOUNDS", "PIEP"))[100]);
    device.Stop();
    device.Stop(); // stopping a silent device does nothing
}

TEST_F(SdlSoundDeviceTest, UnreadableSoundsFailQuietly) {
    SdlSoundDevice device(gain);
    const std::vector<std::uint8_t> junk(100, 7);
    EXPECT_FALSE(device.PlayWave(junk, SoundFlags{}));
    EXPECT_FALSE(device.PlayWave({}, SoundFlags{}));
    EXPECT_FALSE(device.PlayFile("/nonexistent/diglux.wav", SoundFlags{.async = true}));
}

TEST_F(SdlSoundDeviceTest, PlaysAFileThatCanBeDeletedAtOnce) {
    SdlSoundDevice device(gain);
    const auto piep = clips.Load("SOUNDS", "PIEP");
    const fs::path file = output.string() + ".wav";
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(piep.data()), static_cast<long>(piep.size()));
    ASSERT_TRUE(device.PlayFile(file, SoundFlags{.async = true}));
    fs::remove(file);
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    const Samples written = Written();
    const Samples expected = SamplesOf(piep);
    ASSERT_GE(written.size(), expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), written.begin()));
}

TEST(SdlSoundDeviceWithoutAudio, EveryCallFails) {
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SdlOutputGain gain;
    SdlSoundDevice device(gain);
    EXPECT_FALSE(device.Usable());
    EXPECT_FALSE(device.PlayWave(EmbeddedResources().Load("SOUNDS", "PIEP"), SoundFlags{}));
    device.Stop();
    ::unsetenv("SDL_AUDIODRIVER");
}

} // namespace
} // namespace diglux
