// The platform layer: the small queries about the machine and the program's own files, and the
// two start-up steps for Windows, the display-scaling check and the manifest beside the
// executable, each acting only on the versions it is meant for.
#include "platform/DpiCheck.h"
#include "platform/ManifestWriter.h"
#include "tests/support/FakeHost.h"

#include <gtest/gtest.h>

namespace diglux::test {

using enum DpiCheckResult;

constexpr const char* kUseDpiScaling = "HKCU\\Software\\Microsoft\\Windows\\DWM\\UseDpiScaling";
constexpr const char* kLayers = "HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\"
                                "AppCompatFlags\\Layers\\\\/opt/diglux/diglux.bin";
constexpr const char* kManifest = "/opt/diglux/diglux.bin.manifest";

// Windows 7.
class PlatformTest : public ::testing::Test {
  protected:
    PlatformTest() { host.system.os = {2, 6, 1}; }

    FakeHost host;
    RegistryAccess registry{host.registry};
    Environment env{host.system, host.desktop, host.clock, host.resources, &host.files};
    DpiCheck check{registry, env, host.desktop, host.processes};
    ManifestWriter writer{host.system, env, host.files, "Diglux"};
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

// A scaled desktop with the old style of scaling: the warning names the scaling (60 DPI are
// 62.5 %, rounded half to even) and the DPI; Yes switches the old style off and asks to log off,
// No being the default. Switched off, the next start says nothing.
TEST_F(PlatformTest, ScaledDesktopWithTheOldStyleWarnsAndOnYesAsksToLogOff) {
    registry.RegistrySet("HKCU\\Control Panel\\Desktop\\WindowMetrics\\AppliedDPI", 60);
    host.desktop.answer = MessageResult::Yes;
    EXPECT_EQ(check.Run(true, false), Warned);
    EXPECT_EQ(check.Run(true, false), NothingToDo);
    ASSERT_EQ(host.desktop.boxes.size(), 2u);
    EXPECT_TRUE(host.desktop.boxes[0].text.starts_with(
        "  Sie verwenden eine Desktop-Skalierung von 62% (60 DPI).\r\n  Das Programm"));
    EXPECT_EQ(host.desktop.boxes[1].text, DpiLogoffText(true));
    EXPECT_EQ(host.desktop.boxes[1].defaultButton, 2);
    EXPECT_EQ(registry.RegistryValue(kUseDpiScaling), DynamicValue(1));
    EXPECT_EQ(host.CallsStartingWith("processes."), (std::vector<std::string>{"processes.LogOff"}));
}

// Only Windows 7 and 8 are checked. There the compatibility flags that keep the old scaling are
// removed in any case, the rest kept, and the program restarts before any warning; without
// them nothing restarts. Older and newer versions are left as they are, scaled or not.
TEST_F(PlatformTest, OnWindows7And8CompatibilityFlagsAreRemovedAndTheProgramRestarts) {
    registry.RegistrySet("HKCU\\Control Panel\\Desktop\\WindowMetrics\\AppliedDPI", 120);
    for (const auto& [major, minor] : {std::pair{5, 1}, {6, 0}, {6, 3}, {10, 0}, {6, 1}, {6, 2}}) {
        host.system.os = {2, major, minor};
        registry.RegistrySet(kLayers, "~ highdpiaware DISABLEDWM");
        const bool checked = major == 6 && (minor == 1 || minor == 2);
        EXPECT_EQ(check.Run(true, false), checked ? RestartNeeded : NothingToDo);
        EXPECT_EQ(registry.RegistryValue(kLayers),
                  DynamicValue(checked ? "~" : "~ highdpiaware DISABLEDWM"))
            << major << "." << minor;
    }
    EXPECT_TRUE(host.desktop.boxes.empty());
    check.Run(true, false);
    EXPECT_EQ(host.CallsStartingWith("processes."),
              std::vector<std::string>(2, "processes.Start Explorer.exe /opt/diglux/diglux.bin"));
}

// An empty manifest is written, an existing one only when forced or when the version in its
// identity differs (compared without regard to case; without an identity the whole text
// counts). A failed write is not reported as written, since that would restart the program.
// Before Vista the newer manifest would keep the program from starting: an existing one is
// deleted and none is written, even when forced.
TEST_F(PlatformTest, ManifestWrittenWhenEmptyForcedOrOfAnotherVersion) {
    host.system.usesManifests = true;
    host.system.version = {1, 80, 1};
    const std::string current = ManifestText("Diglux", kFileDescription, "1.80.1.0");
    const std::vector<std::tuple<std::string, bool, bool>> cases{
        {"", false, true},
        {ManifestText("Diglux", "x", "1.80.1.0"), false, false},
        {current, true, true},
        {ManifestText("Diglux", "1.80.1.0", "1.80.0.0"), false, true},
        {"<ASSEMBLYIDENTITY VERSION=\"1.80.1.0\" />", false, false},
        {"no identity at all, but 1.80.1.0 somewhere", false, false},
        {"no identity at all", false, true}};
    for (const auto& [existing, force, written] : cases) {
        host.files.files[kManifest] = existing;
        EXPECT_EQ(writer.Write(force), written) << existing;
        EXPECT_EQ(host.files.files[kManifest], written ? current : existing) << existing;
    }
    host.files.failWrites = true;
    EXPECT_FALSE(writer.Write(true));
    host.files.failWrites = false;
    host.system.os = {2, 5, 1};
    EXPECT_FALSE(writer.Write(true));
    EXPECT_FALSE(host.files.files.contains(kManifest));
}

} // namespace diglux::test
