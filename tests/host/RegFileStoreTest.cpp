// The settings file on disk: what it holds after writes, changes made by others, the Run key
// in the autostart folder, and a store that cannot be used.
#include "host/linux/RegFileStore.h"
#include "store/RegFileFormat.h"
#include "store/RegistryAccess.h"
#include "store/SettingsStore.h"
#include "tests/host/HostTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace diglux {
namespace {

namespace fs = std::filesystem;
using test::ReadText;
using test::WriteText;

// A store in a fresh home folder, with what it says collected in log.
struct StoreUnderTest {
    fs::path File() const { return home / "diglux" / "registry.reg"; }

    test::TempFolder folder;
    const fs::path home = folder.Path();
    std::ostringstream log;
    RegFileStore store{home.string(), log};
    RegistryAccess access{store};
    SettingsStore settings{access, "Tandemark", "Diglux"};
};

class RegFileStoreTest : public ::testing::Test, protected StoreUnderTest {};

TEST_F(RegFileStoreTest, WritesReadableRegedit4AndReadsItBackInANewStore) {
    EXPECT_EQ(settings.GetSettingText("Blink", "0"), "0");
    EXPECT_FALSE(fs::exists(home / "diglux")) << "reading creates nothing";
    settings.SaveSettingValue("Blink", "1");
    settings.SaveSettingValue("Alarm.Time", "07:30");
    settings.SaveSettingValue("Reload", "1");
    access.RegistrySet("HKCU\\Software\\Tandemark\\Diglux\\Dock", std::int32_t{5});
    settings.DeleteSettingValue("Reload"); // as the start-up checks do
    EXPECT_EQ(ReadText(File()), "REGEDIT4\n\n"
                                "[HKEY_CURRENT_USER\\Software]\n\n"
                                "[HKEY_CURRENT_USER\\Software\\Tandemark]\n\n"
                                "[HKEY_CURRENT_USER\\Software\\Tandemark\\Diglux]\n"
                                "\"Blink\"=\"1\"\n"
                                "\"Alarm.Time\"=\"07:30\"\n"
                                "\"Dock\"=dword:00000005\n");
    EXPECT_EQ(fs::status(home / "diglux").permissions() & fs::perms::all, fs::perms::owner_all);

    RegFileStore again(home.string(), log);
    RegistryAccess second(again);
    EXPECT_EQ(second.RegistryValue("hkcu\\software\\tandemark\\diglux\\BLINK"), DynamicValue("1"));
    EXPECT_EQ(second.RegistryValue("HKCU\\Software\\Tandemark\\Diglux\\Dock"),
              DynamicValue(std::int32_t{5}));
    EXPECT_TRUE(log.str().empty());
    EXPECT_FALSE(fs::exists(File().string() + ".tmp"));
}

TEST_F(RegFileStoreTest, EveryOperationSeesChangesMadeByOthers) {
    const auto key = store.CreateKey(RegistryRoot::CurrentUser, "Software\\X");
    ASSERT_TRUE(key);
    WriteText(File(), "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\X]\n\"v\"=\"edited\"\n");
    EXPECT_EQ(access.RegistryValue("HKCU\\Software\\X\\v"), DynamicValue("edited"));
    EXPECT_TRUE(store.SetValue(*key, "w", {RegistryType::String, {'1', 0}}));
    EXPECT_EQ(access.RegistryValue("HKCU\\Software\\X\\v"), DynamicValue("edited"));
    // Names the file could not hold are refused rather than written.
    EXPECT_FALSE(store.SetValue(*key, "two\nlines", {RegistryType::String, {0}}));
    EXPECT_FALSE(store.CreateKey(RegistryRoot::CurrentUser, "A\nB"));
    // A key deleted behind an open handle takes no more values.
    WriteText(File(), "REGEDIT4\n");
    EXPECT_FALSE(store.SetValue(*key, "w", {RegistryType::String, {'2', 0}}));
    store.CloseKey(*key);
}

TEST_F(RegFileStoreTest, UnreadableFileIsKeptAsBadAndTheStoreStartsEmpty) {
    const std::string broken = "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\X]\n\"v\"=garbage\n";
    WriteText(File(), broken);
    EXPECT_TRUE(access.RegistryValue("HKCU\\Software\\X\\v").IsEmpty());
    EXPECT_EQ(ReadText(File().string() + ".bad"), broken);
    EXPECT_FALSE(fs::exists(File()));
    EXPECT_EQ(log.str(), "diglux: " + File().string() +
                             " cannot be read (line 3: unknown kind of value); kept as " +
                             File().string() + ".bad, the clock starts with empty settings\n");
    // A second bad file does not replace the first one.
    WriteText(File(), "not a registry file");
    access.RegistrySet("HKCU\\Software\\X\\v", "new");
    EXPECT_EQ(ReadText(File().string() + ".bad2"), "not a registry file");
    EXPECT_EQ(ReadText(File().string() + ".bad"), broken);
    EXPECT_EQ(access.RegistryValue("HKCU\\Software\\X\\v"), DynamicValue("new"));
}

// A folder where the file belongs, or a file where its folder belongs: the clock keeps its
// defaults, says so once, and leaves what is in the way alone.
TEST(RegFileStoreUnusable, LeavesTheDefaultsAndSaysSoOnce) {
    for (const bool folderInTheFilesPlace : {true, false}) {
        StoreUnderTest s;
        const fs::path inTheWay = folderInTheFilesPlace ? s.File() : s.File().parent_path();
        const std::string said = folderInTheFilesPlace
                                     ? "diglux: " + inTheWay.string() +
                                           " is not a file; settings are neither read nor saved\n"
                                     : "diglux: cannot create " + inTheWay.string();
        if (folderInTheFilesPlace) {
            fs::create_directories(inTheWay);
        } else {
            WriteText(inTheWay, "a file where the folder belongs");
        }
        s.access.RegistrySet("HKCU\\Software\\X\\v", "1");
        s.access.RegistrySet("HKCU\\Software\\X\\w", "1");
        EXPECT_TRUE(s.access.RegistryValue("HKCU\\Software\\X\\v").IsEmpty());
        const std::string log = s.log.str();
        EXPECT_TRUE(log.starts_with(said)) << log;
        EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
        EXPECT_EQ(fs::is_directory(inTheWay), folderInTheFilesPlace);
    }
}

TEST_F(RegFileStoreTest, LinkedSettingsFileStaysALink) {
    WriteText(home / "dotfiles" / "registry.reg", "REGEDIT4\n");
    fs::create_directories(File().parent_path());
    fs::create_symlink(home / "dotfiles" / "registry.reg", File());
    settings.SaveSettingValue("Blink", "1");
    EXPECT_TRUE(fs::is_symlink(File()));
    EXPECT_NE(ReadText(home / "dotfiles" / "registry.reg").find("\"Blink\"=\"1\""),
              std::string::npos);
}

// The entry's own format and names are checked with AutostartEntry; here, where it goes.
TEST_F(RegFileStoreTest, RunKeyValuesAreAutostartEntries) {
    const std::string run = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    access.RegistrySet(run + "\\Diglux", "/usr/bin/diglux");
    const fs::path entry = home / "autostart" / "diglux.desktop";
    EXPECT_TRUE(fs::exists(entry));
    EXPECT_EQ(access.RegistryValue(run + "\\Diglux"), DynamicValue("/usr/bin/diglux"));
    EXPECT_FALSE(fs::exists(File())) << "the Run key is not kept in the settings file";
    EXPECT_TRUE(access.RegDeleteValuePath(run + "\\Diglux"));
    EXPECT_FALSE(fs::exists(entry));
    EXPECT_FALSE(access.RegDeleteValuePath(run + "\\Diglux"));
    access.RegistrySet(run + "\\Diglux", DynamicValue(std::int32_t{1}));
    EXPECT_FALSE(fs::exists(entry)) << "only texts can be autostart commands";
    EXPECT_FALSE(access.RegDeleteKeyPath(run));
}

TEST(RegFileStoreConfig, XdgConfigHomeWhenAbsoluteElseHome) {
    test::ScopedEnv home("HOME", "/home/someone");
    for (const char* config : {"relative", static_cast<const char*>(nullptr)}) {
        test::ScopedEnv env("XDG_CONFIG_HOME", config);
        EXPECT_EQ(RegFileStore::DefaultConfigHome(), "/home/someone/.config");
    }
    test::ScopedEnv env("XDG_CONFIG_HOME", "/x/config");
    EXPECT_EQ(RegFileStore::DefaultConfigHome(), "/x/config");
}

} // namespace
} // namespace diglux
