// The refusals at start-up and the self-restart after writing the manifest, as the platform
// sees them.
#include "app/StartupChecks.h"
#include "store/RegistryAccess.h"
#include "tests/support/ClockFixture.h"

namespace diglux::test {
namespace {

using Calls = std::vector<std::string>;
constexpr const char* kReload = "HKCU\\Software\\Tandemark\\Diglux\\Reload";
constexpr const char* kManifest = "/opt/diglux/diglux.bin.manifest";

class StartupChecksTest : public ::testing::Test {
  protected:
    StartupResult::Outcome Run() {
        clock = std::make_unique<MainWindow>(host.Bundle());
        return clock->Load().outcome;
    }
    // Windows 7 with a manifest-reading loader, at 96 DPI so that the scaling check is quiet.
    void AsWindows7() {
        host.system.usesManifests = true;
        host.system.os = {2, 6, 1};
        registry.RegistrySet("HKCU\\Control Panel\\Desktop\\WindowMetrics\\AppliedDPI",
                             std::int32_t{96});
    }
    DynamicValue Reload() { return registry.RegistryValue(kReload); }

    FakeHost host;
    RegistryAccess registry{host.registry, host.desktop};
    std::unique_ptr<MainWindow> clock;
};

TEST_F(StartupChecksTest, SecondInstanceIsRefusedBeforeAnythingIsShownOrSaved) {
    host.system.otherInstance = true;
    host.desktop.bitsPerPixel = 16; // the first refusal is the only one
    EXPECT_EQ(Run(), StartupResult::Outcome::Ended);
    ASSERT_EQ(host.desktop.boxes.size(), 1u);
    const MessageBoxRequest& box = host.desktop.boxes[0];
    EXPECT_EQ(box.text, "FEHLER:  Das Programm läuft bereits!      ");
    EXPECT_EQ(box.title, " ");
    EXPECT_EQ(box.icon, MessageIcon::Critical);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_TRUE(host.CallsStartingWith("window.Show").empty());
    EXPECT_TRUE(host.CallsStartingWith("registry.SetValue").empty());
    EXPECT_TRUE(host.CallsStartingWith("timers.SetEnabled").empty());
}

TEST_F(StartupChecksTest, SixteenAndEightBitDesktopsAreRefusedWithTwoLines) {
    for (const int bits : {16, 8}) {
        FakeHost other;
        other.desktop.bitsPerPixel = bits;
        MainWindow window(other.Bundle());
        EXPECT_EQ(window.Load().outcome, StartupResult::Outcome::Ended);
        ASSERT_EQ(other.desktop.boxes.size(), 1u);
        EXPECT_EQ(other.desktop.boxes[0].title, " Diglux Fehler:");
        EXPECT_EQ(other.desktop.boxes[0].icon, MessageIcon::Critical);
        EXPECT_EQ(other.desktop.boxes[0].text,
                  "    Die Grafik-Auflösung ist derzeit auf " + std::to_string(bits) +
                      " Bit eingestellt.    \r\n"
                      "    Dieses Programm benötigt jedoch 24 Bit oder 32 Bit.    \r\n ");
        EXPECT_TRUE(other.CallsStartingWith("window.Show").empty());
    }
}

TEST_F(StartupChecksTest, OtherDepthsAndAnUnknownDepthPass) {
    for (const int bits : {24, 32, 15, 0}) {
        FakeHost other;
        other.desktop.bitsPerPixel = bits;
        MainWindow window(other.Bundle());
        EXPECT_EQ(window.Load().outcome, StartupResult::Outcome::Running) << bits;
        EXPECT_TRUE(other.desktop.boxes.empty()) << bits;
    }
}

TEST_F(StartupChecksTest, OnLinuxNoManifestIsTouchedAndNothingRestarts) {
    EXPECT_EQ(Run(), StartupResult::Outcome::Running);
    for (const std::string& entry : host.log) {
        EXPECT_TRUE(entry.rfind("files.", 0) != 0 || entry.rfind("files.CreateFolder", 0) == 0)
            << entry;
    }
    EXPECT_TRUE(host.CallsStartingWith("processes.").empty());
    EXPECT_TRUE(Reload().IsEmpty());
}

TEST_F(StartupChecksTest, NewManifestRestartsOnceAndTheNewProcessSkipsTheInstanceTest) {
    AsWindows7();
    EXPECT_EQ(Run(), StartupResult::Outcome::Ended);
    EXPECT_TRUE(host.files.files.contains(kManifest));
    EXPECT_EQ(Reload(), DynamicValue("1"));
    EXPECT_EQ(host.CallsStartingWith("processes."),
              (Calls{"processes.Start /opt/diglux/diglux.bin"}));
    EXPECT_TRUE(host.CallsStartingWith("window.Show").empty());

    // The first process may still hold the instance lock while the second one starts.
    host.system.otherInstance = true;
    host.log.clear();
    EXPECT_EQ(Run(), StartupResult::Outcome::Running);
    EXPECT_TRUE(host.desktop.boxes.empty());
    EXPECT_TRUE(Reload().IsEmpty());
    EXPECT_TRUE(host.CallsStartingWith("processes.").empty());
    EXPECT_TRUE(host.CallsStartingWith("files.ReplaceFile").empty()) << "the manifest is current";
}

TEST_F(StartupChecksTest, AManifestThatDoesNotStickRestartsOnlyOnce) {
    AsWindows7();
    EXPECT_EQ(Run(), StartupResult::Outcome::Ended);
    host.files.files.clear(); // gone again before the restarted process looks
    host.log.clear();
    EXPECT_EQ(Run(), StartupResult::Outcome::Running);
    EXPECT_EQ(host.CallsStartingWith("files.ReplaceFile"),
              (Calls{"files.ReplaceFile " + std::string(kManifest)}));
    EXPECT_TRUE(host.CallsStartingWith("processes.").empty());
    EXPECT_TRUE(Reload().IsEmpty());

    FakeHost readOnly; // a write-protected program folder: no manifest, no restart
    readOnly.system.usesManifests = true;
    readOnly.system.os = {2, 6, 1};
    readOnly.files.failWrites = true;
    MainWindow window(readOnly.Bundle());
    EXPECT_EQ(window.Load().outcome, StartupResult::Outcome::Running);
    EXPECT_TRUE(readOnly.CallsStartingWith("processes.").empty());
}

TEST_F(StartupChecksTest, ReloadMarkerIsReadByItsNumber) {
    host.system.otherInstance = true;
    registry.RegistrySet(kReload, "0.0");
    EXPECT_EQ(Run(), StartupResult::Outcome::Ended) << "\"0.0\" is 0: the instance test runs";
    registry.RegistrySet(kReload, "2");
    host.desktop.boxes.clear();
    EXPECT_EQ(Run(), StartupResult::Outcome::Running);
    EXPECT_TRUE(Reload().IsEmpty());
}

TEST_F(StartupChecksTest, CompatibilityFlagsRestartThroughTheShellAndEndStartUp) {
    AsWindows7();
    host.files.files[kManifest] = ManifestText("Diglux", kFileDescription, "1.0.0.0");
    registry.RegistrySet("HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\"
                         "Layers\\\\/opt/diglux/diglux.bin",
                         "HIGHDPIAWARE");
    EXPECT_EQ(Run(), StartupResult::Outcome::Ended);
    EXPECT_EQ(host.CallsStartingWith("processes."),
              (Calls{"processes.Start Explorer.exe /opt/diglux/diglux.bin"}));
    EXPECT_TRUE(host.CallsStartingWith("window.Show").empty());
}

} // namespace
} // namespace diglux::test
