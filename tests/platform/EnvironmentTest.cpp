#include "platform/Environment.h"
#include "model/TimeText.h"
#include "tests/support/FakeHost.h"

#include <gtest/gtest.h>

#include <map>

namespace diglux {
namespace {

// Revisions 1 to 26 are letters, 1000s Alpha, 100s and 2000s Beta, 255 and 9999 "ß", others
// nothing; the minor number has two digits. Executable names keep their dot.
TEST(EnvironmentTexts, VersionSuffixesAndExeNames) {
    const std::vector<std::tuple<int, int, std::string>> cases{
        {5, 0, "1.05"},           {5, 3, "1.05c"},
        {5, 26, "1.05z"},         {5, 27, "1.05"},
        {5, 1000, "1.05 Alpha"},  {5, 1002, "1.05 Alpha 2"},
        {5, 100, "1.05 Beta"},    {5, 2010, "1.05 Beta 10"},
        {5, 255, "1.05\xC3\x9F"}, {12, 9999, "1.12\xC3\x9F"},
        {123, 0, "1.23"}};
    for (const auto& [minor, revision, text] : cases) {
        EXPECT_EQ(MakeVersionText({1, minor, revision}), text) << minor << " " << revision;
    }
    EXPECT_EQ(ExeBaseName("/opt/diglux/diglux.bin"), "diglux.");
    EXPECT_EQ(ExeBaseName("/usr/bin/diglux"), "") << "no extension: no name";
}

TEST(EnvironmentQueries, ColourDepthAndWaiting) {
    test::FakeHost host;
    Environment env(host.system, host.desktop, host.clock, host.resources, &host.files);
    EXPECT_EQ(env.ScreenBitsPerPixel(), 24);
    host.desktop.planes = 4;
    host.desktop.bitsPerPixel = 1;
    EXPECT_EQ(env.ScreenBitsPerPixel(), 4);
    host.desktop.planes = 0;
    EXPECT_EQ(env.ScreenBitsPerPixel(), 0);
    env.WaitSeconds(0.0125f);
    EXPECT_EQ(host.log.back(), "clock.Sleep 12");
}

// TEMP, then TMP, then XDG_RUNTIME_DIR, empty ones skipped, then the user's own folder; always
// with one separator, created private, and kept for the run.
TEST(TempDir, FirstSetVariableThenTheUsersOwnFolder) {
    using Variables = std::map<std::string, std::string>;
    const std::vector<std::pair<Variables, std::string>> cases{
        {{{"TEMP", "/home/x/tmp"}, {"TMP", "/other"}}, "/home/x/tmp/"},
        {{{"TEMP", ""}, {"TMP", "/var/tmp/"}}, "/var/tmp/"},
        {{{"XDG_RUNTIME_DIR", "/run/user/1000"}}, "/run/user/1000/"},
        {{}, "/tmp/diglux-1000/"}};
    for (const auto& [variables, folder] : cases) {
        test::FakeHost host;
        host.system.environment = variables;
        Environment env(host.system, host.desktop, host.clock, host.resources, &host.files);
        EXPECT_EQ(env.TempDir(), folder);
        EXPECT_EQ(host.CallsStartingWith("files."),
                  (std::vector<std::string>{"files.CreateFolder " +
                                            folder.substr(0, folder.size() - 1) + " 700"}));
        host.system.environment["TEMP"] = "/changed";
        EXPECT_EQ(env.TempDir(), folder) << "not read again";
    }
}

TEST(ResourceFiles, FileLengthAndResourceFiles) {
    test::FakeHost host;
    Environment env(host.system, host.desktop, host.clock, host.resources, &host.files);
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

} // namespace
} // namespace diglux
