// The platform layer: the small queries about the machine and the program's own files. (The
// display-scaling check and the manifest writer act on Windows only, where the Windows build
// is to prove them; the manifest's restart is in the start-up tests.)
#include "platform/Environment.h"
#include "tests/support/FakeHost.h"

#include <gtest/gtest.h>

namespace diglux::test {

// Windows 7.
class PlatformTest : public ::testing::Test {
  protected:
    PlatformTest() { host.system.os = {2, 6, 1}; }

    FakeHost host;
    Environment env{host.system, host.desktop, host.clock, host.resources, &host.files};
};

// Revisions 1 to 26 are letters, 1000s Alpha, 100s and 2000s Beta, 255 and 9999 "ß", others
// nothing; the minor number shows as two digits, hundreds dropped. An executable's name keeps its
// dot; without an extension the program's name stands in.
TEST(PlatformTexts, VersionsAndExecutableNames) {
    const std::vector<std::pair<int, std::string>> versions{
        {0, ""},           {3, "c"},           {26, "z"},      {27, ""},
        {1000, " Alpha"},  {1002, " Alpha 2"}, {100, " Beta"}, {2010, " Beta 10"},
        {255, "\xC3\x9F"}, {9999, "\xC3\x9F"}};
    for (const auto& [revision, suffix] : versions) {
        EXPECT_EQ(MakeVersionText({1, 105, revision}), "1.05" + suffix) << revision;
    }
    EXPECT_EQ(ExeBaseName("/opt/diglux/diglux.bin"), "diglux.");
    EXPECT_EQ(ExeBaseName("C:\\Prog\\Diglux.exe"), "Diglux.");
    for (const char* bare : {"/usr/bin/diglux", "/home/u/.local/bin/diglux", "/opt/.diglux"}) {
        EXPECT_EQ(ExeBaseName(bare), "Diglux.") << bare; // never "" or "."
    }
}

// The temporary folder is the first of TEMP, TMP and XDG_RUNTIME_DIR that is set and not
// empty, else the user's own folder; always ending with one separator, created private, and
// kept for the run. Four colour planes are 4 bits, any other number but one is unknown (0); a
// wait of 12.5 ms rounds half to even. A resource is written into a file from its first byte
// (a longer file keeps its tail), found without regard to case; a missing resource writes
// nothing and a failed write is reported. Without files, lengths are unknown and nothing is
// written.
TEST_F(PlatformTest, TempDirColourDepthWaitsFileLengthsAndResourceFiles) {
    const std::vector<std::pair<std::map<std::string, std::string>, std::string>> temps{
        {{{"TEMP", "/home/x/tmp"}, {"TMP", "/other"}}, "/home/x/tmp"},
        {{{"TEMP", ""}, {"TMP", "/var/tmp/"}}, "/var/tmp"},
        {{{"XDG_RUNTIME_DIR", "/run/user/1000"}}, "/run/user/1000"},
        {{}, "/tmp/diglux-1000"}};
    for (const auto& [variables, folder] : temps) {
        host.log.clear();
        host.system.environment = variables;
        Environment fresh(host.system, host.desktop, host.clock, host.resources, &host.files);
        EXPECT_EQ(fresh.TempDir(), folder + "/");
        host.system.environment["TEMP"] = "/changed";
        EXPECT_EQ(fresh.TempDir(), folder + "/");
        EXPECT_EQ(host.log, CallLog{"files.CreateFolder " + folder + " 700"});
    }
    host.desktop.planes = 4;
    EXPECT_EQ(env.ScreenBitsPerPixel(), 4);
    host.desktop.planes = 0;
    EXPECT_EQ(env.ScreenBitsPerPixel(), 0);
    env.WaitSeconds(0.0125f);
    EXPECT_EQ(host.log.back(), "clock.Sleep 12");
    host.files.files["/t/Old.wav"] = "0123456789";
    host.resources.Override("SOUNDS", "ALARM", {'R', 'I', 'F', 'F'});
    EXPECT_TRUE(env.ResToFile("sounds", "alarm", "/t/Old.wav"));
    EXPECT_EQ(host.files.files["/t/Old.wav"], "RIFF456789");
    EXPECT_EQ(env.FileLength("/t/Old.wav"), 10);
    EXPECT_FALSE(env.ResToFile("SOUNDS", "NOSUCH", "/t/x.wav"));
    EXPECT_FALSE(host.files.files.contains("/t/x.wav"));
    host.files.failWrites = true;
    EXPECT_FALSE(env.ResToFile("SOUNDS", "ALARM", "/t/y.wav"));
    Environment withoutFiles(host.system, host.desktop, host.clock, host.resources);
    EXPECT_EQ(withoutFiles.FileLength("/t/Old.wav"), -1);
    EXPECT_FALSE(withoutFiles.ResToFile("SOUNDS", "ALARM", "/t/z.wav"));
}

} // namespace diglux::test
