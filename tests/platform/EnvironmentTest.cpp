#include "platform/Environment.h"
#include "app/TimeText.h"
#include "tests/support/FakeHost.h"

#include <gtest/gtest.h>

namespace diglux {
namespace {

TEST(MakeVersionText, RevisionSuffixes) {
    auto text = [](int minor, int revision) { return MakeVersionText({1, minor, revision}); };
    EXPECT_EQ(text(5, 0), "1.05");
    EXPECT_EQ(text(5, 3), "1.05c");
    EXPECT_EQ(text(5, 26), "1.05z");
    EXPECT_EQ(text(5, 27), "1.05");
    EXPECT_EQ(text(5, 1000), "1.05 Alpha");
    EXPECT_EQ(text(5, 1002), "1.05 Alpha 2");
    EXPECT_EQ(text(5, 100), "1.05 Beta");
    EXPECT_EQ(text(5, 2010), "1.05 Beta 10");
    EXPECT_EQ(text(5, 255), "1.05\xC3\x9F");
    EXPECT_EQ(text(12, 9999), "1.12\xC3\x9F");
    EXPECT_EQ(text(123, 0), "1.23");
}

TEST(ExeNames, StemAndBaseNameKeepTheDot) {
    EXPECT_EQ(ExePathStem("C:\\Prog\\Diglux.exe"), "C:\\Prog\\Diglux.");
    EXPECT_EQ(ExeBaseName("C:\\Prog\\Diglux.exe"), "Diglux.");
    EXPECT_EQ(ExeBaseName("/opt/diglux/diglux.bin"), "diglux.");
    EXPECT_EQ(ExePathStem("/usr/bin/diglux"), "");
    EXPECT_EQ(ExeBaseName("/usr/bin/diglux"), "");
}

TEST(EnvironmentQueries, ColourDepthVersionAndShadow) {
    test::FakeHost host;
    Environment env(host.system, host.desktop, host.clock, host.resources, &host.files);
    EXPECT_EQ(env.ScreenBitsPerPixel(), 24);
    host.desktop.planes = 4;
    host.desktop.bitsPerPixel = 1;
    EXPECT_EQ(env.ScreenBitsPerPixel(), 4);
    host.desktop.planes = 0;
    EXPECT_EQ(env.ScreenBitsPerPixel(), 0);
    EXPECT_FLOAT_EQ(env.WinVersion(), 10.0f);
    EXPECT_TRUE(env.ShadowSupported());
    host.system.os = {1, 4, 10};
    EXPECT_FALSE(env.ShadowSupported());
    env.WaitSeconds(0.0125f);
    EXPECT_EQ(host.log.back(), "clock.Sleep 12");
}

class TempDirTest : public ::testing::Test {
  protected:
    test::FakeHost host;
    Environment env{host.system, host.desktop, host.clock, host.resources, &host.files};
};

TEST_F(TempDirTest, TempComesFirstAndGetsOneSeparator) {
    host.system.environment = {{"TEMP", "/home/x/tmp"}, {"TMP", "/other"}};
    EXPECT_EQ(env.TempDir(), "/home/x/tmp/");
    EXPECT_EQ(host.CallsStartingWith("files."),
              (std::vector<std::string>{"files.CreateFolder /home/x/tmp 700"}));
    // Kept for the run: the environment is not read again.
    host.system.environment["TEMP"] = "/changed";
    EXPECT_EQ(env.TempDir(), "/home/x/tmp/");
    EXPECT_EQ(host.CallsStartingWith("files.").size(), 1u);
}

TEST_F(TempDirTest, EmptyVariablesFallThroughToTheUsersOwnFolder) {
    host.system.environment = {{"TEMP", ""}, {"TMP", "/var/tmp/"}};
    EXPECT_EQ(env.TempDir(), "/var/tmp/");

    test::FakeHost other;
    other.system.environment = {{"XDG_RUNTIME_DIR", "/run/user/1000"}};
    EXPECT_EQ(Environment(other.system, other.desktop, other.clock, other.resources, &other.files)
                  .TempDir(),
              "/run/user/1000/");

    test::FakeHost bare;
    Environment fallback(bare.system, bare.desktop, bare.clock, bare.resources, &bare.files);
    EXPECT_EQ(fallback.TempDir(), "/tmp/diglux-1000/");
    EXPECT_EQ(bare.files.folders.at("/tmp/diglux-1000"), 0700u);
}

TEST_F(TempDirTest, FileLengthAndResourceFiles) {
    EXPECT_EQ(env.FileLength("/t/missing"), -1);
    host.files.files["/t/empty"] = "";
    EXPECT_EQ(env.FileLength("/t/empty"), 0);
    host.resources.Override("SOUNDS", "ALARM", {'R', 'I', 'F', 'F'});
    EXPECT_TRUE(env.ResToFile("SOUNDS", "ALARM", "/t/Alarm.wav"));
    EXPECT_EQ(host.files.files["/t/Alarm.wav"], "RIFF");
    EXPECT_EQ(env.FileLength("/t/Alarm.wav"), 4);
    // From the first byte on, an existing longer file keeps its tail.
    host.files.files["/t/Old.wav"] = "0123456789";
    EXPECT_TRUE(env.ResToFile("sounds", "alarm", "/t/Old.wav"));
    EXPECT_EQ(host.files.files["/t/Old.wav"], "RIFF456789");
    EXPECT_FALSE(env.ResToFile("SOUNDS", "NOSUCH", "/t/x.wav"));
    EXPECT_FALSE(host.files.files.contains("/t/x.wav"));
    host.files.failWrites = true;
    EXPECT_FALSE(env.ResToFile("SOUNDS", "ALARM", "/t/y.wav"));

    Environment withoutFiles(host.system, host.desktop, host.clock, host.resources);
    EXPECT_EQ(withoutFiles.FileLength("/t/Alarm.wav"), -1);
    EXPECT_FALSE(withoutFiles.ResToFile("SOUNDS", "ALARM", "/t/z.wav"));
}

TEST(TimeText, FormatsAndReadsTimesOfDay) {
    EXPECT_EQ(FormatTimeOfDay({2024, 3, 1, 9, 5, 7}), "09:05:07");
    EXPECT_EQ(ParseTimeOfDay("07:30"), 27000);
    EXPECT_EQ(ParseTimeOfDay("7:30"), 27000);
    EXPECT_EQ(ParseTimeOfDay("23:59:59"), 86399);
    EXPECT_FALSE(ParseTimeOfDay("24:00"));
    EXPECT_FALSE(ParseTimeOfDay("07:60"));
    EXPECT_FALSE(ParseTimeOfDay("0730"));
    EXPECT_FALSE(ParseTimeOfDay(""));
    EXPECT_FALSE(ParseTimeOfDay("07:3x"));
}

} // namespace
} // namespace diglux
