// The refusals at start-up and the self-restart after writing the manifest, as the platform
// sees them.
#include "tests/support/ClockFixture.h"

namespace diglux::test {
namespace {

constexpr const char* kManifest = "/opt/diglux/diglux.bin.manifest";

// A second instance is refused first (a 16-bit desktop then goes unmentioned), then desktops of
// 16 and 8 bits; other depths pass, an unknown one (0) too. A refusal is one box, before
// anything is shown or saved.
TEST(StartupChecks, SecondInstanceAndShallowDesktopsAreRefused) {
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
        FakeHost host;
        host.system.otherInstance = otherInstance;
        host.desktop.bitsPerPixel = bits;
        MainWindow window(host.Bundle());
        const bool refused = !text.empty();
        EXPECT_EQ(window.Load().outcome,
                  refused ? StartupResult::Outcome::Ended : StartupResult::Outcome::Running);
        EXPECT_EQ(host.CallsStartingWith("window.Show").size(), refused ? 0u : 1u) << bits;
        if (refused) {
            ASSERT_EQ(host.desktop.boxes.size(), 1u) << bits;
            EXPECT_EQ(host.desktop.boxes[0].title, title);
            EXPECT_EQ(host.desktop.boxes[0].text, text);
            EXPECT_EQ(host.desktop.boxes[0].icon, MessageIcon::Critical);
            EXPECT_TRUE(host.CallsStartingWith("registry.SetValue").empty()) << bits;
        }
    }
}

// On Linux no manifest is read: nothing is written beside the program and nothing restarts.
// A Windows 7 loader that reads manifests gets a new one, and the program starts itself again
// with the Reload marker; the restarted process skips the instance test (the first may still
// hold the lock) and, when the manifest did not stick, writes it but does not restart again.
TEST(StartupChecks, NewManifestRestartsOnceAndTheNewProcessSkipsTheInstanceTest) {
    FakeHost host;
    const auto run = [&host] { return MainWindow(host.Bundle()).Load().outcome; };
    const auto reload = [&host] {
        const RegistryValue* v =
            host.registry.tree.Find("HKEY_CURRENT_USER\\Software\\Tandemark\\Diglux", "Reload");
        return v != nullptr ? *FromStored(*v).TextForm() : "none";
    };
    EXPECT_EQ(run(), StartupResult::Outcome::Running);
    EXPECT_TRUE(host.CallsStartingWith("files.ReplaceFile").empty());
    EXPECT_TRUE(host.CallsStartingWith("processes.").empty());

    host.system.usesManifests = true;
    host.system.os = {2, 6, 1};
    host.registry.tree.Set(
        "HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics", "AppliedDPI",
        {RegistryType::DWord, {96, 0, 0, 0}}); // unscaled: the DPI check is quiet
    host.log.clear();
    EXPECT_EQ(run(), StartupResult::Outcome::Ended);
    EXPECT_TRUE(host.files.files.contains(kManifest));
    EXPECT_EQ(reload(), "1");
    EXPECT_EQ(host.CallsStartingWith("processes."),
              (CallLog{"processes.Start /opt/diglux/diglux.bin"}));
    EXPECT_TRUE(host.CallsStartingWith("window.Show").empty());

    host.system.otherInstance = true;
    host.files.files.clear(); // gone again before the restarted process looks
    host.log.clear();
    EXPECT_EQ(run(), StartupResult::Outcome::Running);
    EXPECT_TRUE(host.desktop.boxes.empty());
    EXPECT_EQ(host.CallsStartingWith("files.ReplaceFile"),
              (CallLog{"files.ReplaceFile " + std::string(kManifest)}));
    EXPECT_TRUE(host.CallsStartingWith("processes.").empty());
    EXPECT_EQ(reload(), "none");
}

} // namespace
} // namespace diglux::test
