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
    RegistryAccess registry{host.registry};
    std::unique_ptr<MainWindow> clock;
};

// A second instance is refused first (a 16-bit desktop then goes unmentioned), then desktops of
// 16 and 8 bits; an unknown depth (0) passes. A refusal is one box, before anything is shown
// or saved.
TEST_F(StartupChecksTest, SecondInstanceAndShallowDesktopsAreRefused) {
    const auto depth = [](int bits) {
        return "    Die Grafik-Auflösung ist derzeit auf " + std::to_string(bits) +
               " Bit eingestellt.    \r\n"
               "    Dieses Programm benötigt jedoch 24 Bit oder 32 Bit.    \r\n ";
    };
    const std::vector<std::tuple<bool, int, std::string, std::string>> cases{
        {true, 16, " ", "FEHLER:  Das Programm läuft bereits!      "},
        {false, 16, " Diglux Fehler:", depth(16)},
        {false, 8, " Diglux Fehler:", depth(8)},
        {false, 24, "", ""},
        {false, 15, "", ""},
        {false, 0, "", ""}};
    for (const auto& [otherInstance, bits, title, text] : cases) {
        FakeHost other;
        other.system.otherInstance = otherInstance;
        other.desktop.bitsPerPixel = bits;
        MainWindow window(other.Bundle());
        const bool refused = !text.empty();
        EXPECT_EQ(window.Load().outcome,
                  refused ? StartupResult::Outcome::Ended : StartupResult::Outcome::Running)
            << bits;
        ASSERT_EQ(other.desktop.boxes.size(), refused ? 1u : 0u) << bits;
        EXPECT_EQ(other.CallsStartingWith("window.Show").size(), refused ? 0u : 1u) << bits;
        if (refused) {
            EXPECT_EQ(other.desktop.boxes[0].title, title);
            EXPECT_EQ(other.desktop.boxes[0].text, text);
            EXPECT_EQ(other.desktop.boxes[0].icon, MessageIcon::Critical);
            EXPECT_TRUE(other.CallsStartingWith("registry.SetValue").empty()) << bits;
        }
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

// The restarted process finds the Reload marker: it skips the instance test (the first process
// may still hold the lock) and, when the manifest did not stick, writes it but does not restart
// again.
TEST_F(StartupChecksTest, NewManifestRestartsOnceAndTheNewProcessSkipsTheInstanceTest) {
    AsWindows7();
    EXPECT_EQ(Run(), StartupResult::Outcome::Ended);
    EXPECT_TRUE(host.files.files.contains(kManifest));
    EXPECT_EQ(Reload(), DynamicValue("1"));
    EXPECT_EQ(host.CallsStartingWith("processes."),
              (Calls{"processes.Start /opt/diglux/diglux.bin"}));
    EXPECT_TRUE(host.CallsStartingWith("window.Show").empty());

    host.system.otherInstance = true;
    host.files.files.clear(); // gone again before the restarted process looks
    host.log.clear();
    EXPECT_EQ(Run(), StartupResult::Outcome::Running);
    EXPECT_TRUE(host.desktop.boxes.empty());
    EXPECT_EQ(host.CallsStartingWith("files.ReplaceFile"),
              (Calls{"files.ReplaceFile " + std::string(kManifest)}));
    EXPECT_TRUE(host.CallsStartingWith("processes.").empty());
    EXPECT_TRUE(Reload().IsEmpty());
}

} // namespace
} // namespace diglux::test
