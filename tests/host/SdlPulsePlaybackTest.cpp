// The SDL sound device against a real PulseAudio server, heard through a recording of its
// null sink: a synchronous sound returns after its length with its end played, an
// asynchronous one is cut by Stop, and no stream or client of the clock is left afterwards.
#include "host/linux/SdlSoundDevice.h"

#include "SdlPulseSupport.h"
#include "host/EmbeddedResources.h"
#include "speech/WaveImage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace diglux {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

long Milliseconds(Clock::duration d) {
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(d).count());
}

bool ClockStreamLeft() {
    return test::Shell("pactl list sink-inputs").find("Diglux") != std::string::npos ||
           test::Shell("pactl list clients").find("Diglux") != std::string::npos;
}

TEST(SdlPulsePlayback, ASynchronousSoundReturnsAfterItsLengthWithItsEndHeard) {
    DIGLUX_REQUIRE_PULSE_SERVER();
    SdlOutputGain gain;
    SdlSoundDevice device(gain);
    ASSERT_TRUE(device.Usable());
    test::SinkRecorder recorder;
    const auto piep = EmbeddedResources().Load("SOUNDS", "PIEP"); // 200 ms
    const auto started = Clock::now();
    ASSERT_TRUE(device.PlayWave(piep, SoundFlags{}));
    const long took = Milliseconds(Clock::now() - started);
    EXPECT_FALSE(ClockStreamLeft()) << "the device is closed when the call returns";
    std::this_thread::sleep_for(300ms);
    const test::Heard heard = test::LoudPart(recorder.Stop());
    EXPECT_GE(took, 200);
    EXPECT_LT(took, 1000);
    ASSERT_GE(heard.firstMs, 0) << "the beep reached the sink";
    EXPECT_NEAR(heard.lastMs - heard.firstMs, 200, 30) << "the whole beep, its end included";
}

TEST(SdlPulsePlayback, StopCutsAnAsynchronousSound) {
    DIGLUX_REQUIRE_PULSE_SERVER();
    SdlOutputGain gain;
    SdlSoundDevice device(gain);
    const auto alarm = EmbeddedResources().Load("SOUNDS", "ALARM");
    WaveImage image;
    for (int i = 0; i < 8; ++i) {
        image.Append(alarm);
    }
    const auto& fourSeconds = image.Finish();
    test::SinkRecorder recorder;
    const auto started = Clock::now();
    ASSERT_TRUE(device.PlayWave(fourSeconds, SoundFlags{.async = true}));
    EXPECT_LT(Milliseconds(Clock::now() - started), 300) << "an asynchronous call returns at once";
    std::this_thread::sleep_for(700ms);
    device.Stop();
    EXPECT_FALSE(ClockStreamLeft());
    std::this_thread::sleep_for(500ms);
    const test::Heard heard = test::LoudPart(recorder.Stop());
    ASSERT_GE(heard.firstMs, 0) << "the sound started";
    EXPECT_LT(heard.lastMs - heard.firstMs, 1000) << "and was cut long before its four seconds";
}

TEST(SdlPulsePlayback, AnAsynchronousSoundLeavesNothingBehindWhenItEnds) {
    DIGLUX_REQUIRE_PULSE_SERVER();
    SdlOutputGain gain;
    SdlSoundDevice device(gain);
    ASSERT_TRUE(
        device.PlayWave(EmbeddedResources().Load("SOUNDS", "PIEP"), SoundFlags{.async = true}));
    std::this_thread::sleep_for(100ms);
    EXPECT_TRUE(ClockStreamLeft()) << "the stream plays";
    std::this_thread::sleep_for(900ms);
    EXPECT_FALSE(ClockStreamLeft()) << "and is gone, client and all, after the sound";
}

} // namespace
} // namespace diglux
