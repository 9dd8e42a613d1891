// The voice player against the fake host: the joined image, the beep on every failure, the
// time, date and alarm requests, and the file branch of older systems.
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

// A file layer in memory for the branch of older systems.
class MemoryFiles final : public FileSystem {
  public:
    explicit MemoryFiles(test::CallLog& log) : log_(log) {}
    long FileLength(const std::string& path) const override {
        const auto it = files.find(path);
        return it == files.end() ? -1 : static_cast<long>(it->second.size());
    }
    bool ReadFile(const std::string&, std::string&) const override { return false; }
    bool WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) override {
        log_.push_back("files.WriteFile " + path);
        files[path].assign(bytes.begin(), bytes.end());
        return writable;
    }
    bool RemoveFile(const std::string& path) override {
        log_.push_back("files.RemoveFile " + path);
        return files.erase(path) == 1;
    }
    bool CreateFolder(const std::string&, unsigned) override { return false; }
    bool IsFolder(const std::string&) const override { return false; }
    bool ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes) override {
        return WriteFile(path, bytes);
    }
    std::string UserTempFolder() const override { return "/tmp"; }

    std::map<std::string, Bytes> files;
    bool writable = true;

  private:
    test::CallLog& log_;
};

class VoicePlayerTest : public ::testing::Test {
  protected:
    VoicePlayerTest() {
        state.VoiceResType = "VOICE1";
        state.SoundResType = "SOUNDS";
        state.SagZeitWavPath = "/tmp/diglux.SagZeit.wav";
        host.clock.now = {2022, 3, 1, 10, 0, 0};
    }

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

TEST_F(VoicePlayerTest, JoinsTheClipsBehindTheFirstHeader) {
    UseSmallClips();
    EXPECT_TRUE(Player().Ansage(1, AnsageWhen{}, false, "", false, false, false));
    EXPECT_EQ(host.CallsStartingWith("sound."),
              (std::vector<std::string>{"sound.PlayWave memory async"}));
    const Bytes& image = host.sound.lastWave;
    ASSERT_EQ(image.size(), 44u + 14u);
    EXPECT_EQ(image[20], 1) << "header of the first clip";
    EXPECT_EQ(Uint32At(image, 4), image.size() - 8);
    EXPECT_EQ(Uint32At(image, 40), image.size() - 44);
    EXPECT_EQ(Bytes(image.begin() + 44, image.end()),
              (Bytes{1, 0, 2, 0, 2, 0, 0, 0, 4, 0, 4, 1, 5, 0}));
}

TEST_F(VoicePlayerTest, WaitPlaysSynchronously) {
    UseSmallClips();
    EXPECT_TRUE(
        Player().Ansage(LocalDateTime{1899, 12, 30, 10, 0, 0}, 0, false, " ", true, false, false));
    EXPECT_EQ(host.CallsStartingWith("sound."),
              (std::vector<std::string>{"sound.PlayWave memory sync"}));
}

TEST_F(VoicePlayerTest, AMissingOrTooShortClipBeepsAndPlaysNothing) {
    UseSmallClips();
    host.resources.Override("VOICE1", "UHR", Clip(5, {}));
    EXPECT_FALSE(Player().Ansage(1, 0, false, "", false, false, false));
    host.resources.Override("VOICE1", "UHR", Clip(5, {5, 0}));
    host.clock.now.minute = 1; // a word without any clip fails the same way
    host.resources.Override("VOICE1", "EINS", {});
    EXPECT_FALSE(Player().Ansage(1, 0, false, "", false, false, false));
    EXPECT_TRUE(host.CallsStartingWith("sound.").empty());
    EXPECT_EQ(host.CallsStartingWith("desktop.Beep").size(), 2u);
}

TEST_F(VoicePlayerTest, NothingToSayBeeps) {
    EXPECT_FALSE(Player().Ansage(AnsageWhen{}, std::string(), false, "", false, false, false));
    EXPECT_FALSE(Player().Ansage(2, 0, false, "", false, false, false));
    EXPECT_FALSE(Player().Ansage(std::string("kein Datum"), 0, false, "", false, false, false));
    EXPECT_EQ(host.CallsStartingWith("desktop.Beep").size(), 3u);
    EXPECT_TRUE(host.CallsStartingWith("sound.").empty());
}

TEST_F(VoicePlayerTest, AlarmAloneIsFiveTonesWithTheirPauses) {
    EXPECT_TRUE(Player().Ansage(0, 0, false, "", false, false, true));
    const std::size_t tone = host.resources.Load("SOUNDS", "ALARM").size() - 44;
    const std::size_t pause = host.resources.Load("VOICE1", "~").size() - 44;
    EXPECT_EQ(tone, 11025u * 2);
    EXPECT_EQ(pause, 5512u * 2);
    EXPECT_EQ(host.sound.lastWave.size(), 44 + 5 * tone + 10 * pause);
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

TEST_F(VoicePlayerTest, SagZeitXBeepsOnATextThatIsNoTime) {
    SagZeitRequest request;
    request.whenText = "zehn Uhr";
    EXPECT_FALSE(Player().SagZeitX(request));
    EXPECT_EQ(host.CallsStartingWith("desktop.Beep").size(), 1u);
}

TEST_F(VoicePlayerTest, OlderSystemsPlayThroughAFileThatIsRemovedAfterwards) {
    host.system.os.major = 5;
    UseSmallClips();
    MemoryFiles files(host.log);
    SagZeitRequest request;
    request.whenText = "10:00:00";
    EXPECT_TRUE(Player(&files).SagZeitX(request));
    EXPECT_EQ(host.CallsStartingWith("files."),
              (std::vector<std::string>{"files.WriteFile /tmp/diglux.SagZeit.wav",
                                        "files.RemoveFile /tmp/diglux.SagZeit.wav"}));
    EXPECT_EQ(host.CallsStartingWith("sound."),
              (std::vector<std::string>{"sound.PlayFile /tmp/diglux.SagZeit.wav async"}));
    EXPECT_TRUE(files.files.empty());
}

TEST_F(VoicePlayerTest, AFileThatCannotBeWrittenBeeps) {
    UseSmallClips();
    MemoryFiles files(host.log);
    files.writable = false;
    EXPECT_FALSE(Player(&files).Ansage(1, 0, false, "/nowhere/a.wav", false, false, false));
    EXPECT_FALSE(Player().Ansage(1, 0, false, "/tmp/a.wav", false, false, false));
    EXPECT_EQ(host.CallsStartingWith("desktop.Beep").size(), 2u);
    EXPECT_TRUE(host.CallsStartingWith("sound.").empty());
}

} // namespace
} // namespace diglux
