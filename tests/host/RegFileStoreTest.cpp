// The settings file on disk: what it holds after writes, imports from Windows, the Run key in
// the autostart folder, and a store that cannot be used.
#include "host/linux/RegFileStore.h"
#include "store/RegFileFormat.h"
#include "store/RegistryAccess.h"
#include "store/SettingsStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace diglux {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// A desktop that only counts beeps; the store never shows anything.
class QuietDesktop final : public Desktop {
  public:
    Rect DesktopRect() const override { return {}; }
    Rect WorkArea() const override { return {}; }
    Point PointerPosition() const override { return {}; }
    int ColorPlanes() const override { return 1; }
    int BitsPerPixel() const override { return 24; }
    double UnitsPerPixelX() const override { return 1; }
    double UnitsPerPixelY() const override { return 1; }
    MessageResult ShowMessageBox(const MessageBoxRequest&) override { return MessageResult::Ok; }
    void Beep() override { ++beeps; }
    bool WindowWithCaptionExists(const std::string&) const override { return false; }
    bool CloseWindowWithCaption(const std::string&) override { return false; }
    int beeps = 0;
};

fs::path NewFolder() {
    char pattern[] = "/tmp/diglux-store-test-XXXXXX";
    return mkdtemp(pattern);
}

class RegFileStoreTest : public ::testing::Test {
  protected:
    ~RegFileStoreTest() override { fs::remove_all(home); }

    fs::path File() const { return home / "diglux" / "registry.reg"; }

    fs::path home = NewFolder();
    std::ostringstream log;
    RegFileStore store{home.string(), log};
    QuietDesktop desktop;
    RegistryAccess access{store, desktop};
    SettingsStore settings{access};
};

TEST_F(RegFileStoreTest, WritesReadableRegedit4AndReadsItBackInANewStore) {
    EXPECT_EQ(settings.GetSettingText("Tandemark", "Diglux", "Blink", "0"), "0");
    EXPECT_FALSE(fs::exists(home / "diglux")) << "reading creates nothing";
    settings.SaveSettingValue("Tandemark", "Diglux", "Blink", "1");
    settings.SaveSettingValue("Tandemark", "Diglux", "Alarm.Time", "07:30");
    access.RegistrySet("HKCU\\Software\\Tandemark\\Diglux\\Dock", std::int32_t{5});
    EXPECT_EQ(ReadText(File()), "REGEDIT4\n\n"
                                "[HKEY_CURRENT_USER\\Software]\n\n"
                                "[HKEY_CURRENT_USER\\Software\\Tandemark]\n\n"
                                "[HKEY_CURRENT_USER\\Software\\Tandemark\\Diglux]\n"
                                "\"Blink\"=\"1\"\n"
                                "\"Alarm.Time\"=\"07:30\"\n"
                                "\"Dock\"=dword:00000005\n");
    EXPECT_EQ(fs::status(home / "diglux").permissions() & fs::perms::all, fs::perms::owner_all);

    RegFileStore again(home.string(), log);
    RegistryAccess second(again, desktop);
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
    // A key deleted behind an open handle takes no more values.
    WriteText(File(), "REGEDIT4\n");
    EXPECT_FALSE(store.SetValue(*key, "w", {RegistryType::String, {'2', 0}}));
    store.CloseKey(*key);
}

TEST_F(RegFileStoreTest, KeysValuesAndDeletionFollowTheRegistryRules) {
    EXPECT_FALSE(store.OpenKey(RegistryRoot::CurrentUser, "Software\\Missing", false));
    EXPECT_TRUE(store.OpenKey(RegistryRoot::CurrentUser, "", false)) << "a root always opens";
    EXPECT_FALSE(store.CreateKey(RegistryRoot::CurrentUser, "A\\\\B"));
    EXPECT_FALSE(store.CreateKey(RegistryRoot::CurrentUser, "A\nB"));
    access.RegistrySet("HKCU\\Software\\X\\Sub\\v", "1");
    access.RegistrySet("HKCU\\Software\\X\\", "default");
    EXPECT_FALSE(access.RegDeleteKeyPath("HKCU\\Software\\X"));
    EXPECT_FALSE(access.RegDeleteValuePath("HKCU\\Software\\X\\Sub\\nothing"));
    EXPECT_TRUE(access.RegDeleteValuePath("HKCU\\Software\\X\\Sub\\v"));
    EXPECT_TRUE(access.RegDeleteKeyPath("HKCU\\Software\\X\\Sub"));
    EXPECT_EQ(access.RegistryValue("HKCU\\Software\\X\\"), DynamicValue("default"));
    EXPECT_TRUE(access.RegDeleteKeyPath("HKCU\\Software\\X"));
    EXPECT_FALSE(access.RegDeleteKeyPath("HKCU\\Software\\X"));
    const auto key = store.OpenKey(RegistryRoot::CurrentUser, "Software", true);
    ASSERT_TRUE(key);
    EXPECT_FALSE(store.SetValue(*key, "two\nlines", {RegistryType::String, {0}}));
}

TEST_F(RegFileStoreTest, WindowsExportCopiedInPlaceIsRead) {
    const std::string text = "Windows Registry Editor Version 5.00\r\n\r\n"
                             "[HKEY_CURRENT_USER\\Software\\Tandemark\\Diglux]\r\n"
                             "\"Color.R\"=\"200\"\r\n";
    std::string utf16 = "\xFF\xFE";
    for (const char c : text) {
        utf16 += c;
        utf16 += '\0';
    }
    WriteText(File(), utf16);
    EXPECT_EQ(settings.GetSettingText("Tandemark", "Diglux", "Color.R", "95"), "200");
    settings.SaveSettingValue("Tandemark", "Diglux", "Color.G", "10");
    EXPECT_TRUE(ReadText(File()).starts_with("REGEDIT4\n")) << "written back as REGEDIT4";
    EXPECT_EQ(settings.GetSettingText("Tandemark", "Diglux", "Color.R", "95"), "200");
}

TEST_F(RegFileStoreTest, UnreadableFileIsKeptAsBadAndTheStoreStartsEmpty) {
    WriteText(File(), "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\X]\n\"v\"=garbage\n");
    EXPECT_TRUE(access.RegistryValue("HKCU\\Software\\X\\v").IsEmpty());
    EXPECT_EQ(ReadText(File().string() + ".bad"),
              "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\X]\n\"v\"=garbage\n");
    EXPECT_FALSE(fs::exists(File()));
    EXPECT_EQ(log.str(), "diglux: " + File().string() +
                             " cannot be read (line 3: unknown kind of value); kept as " +
                             File().string() + ".bad, the clock starts with empty settings\n");
    // A second bad file does not replace the first one.
    WriteText(File(), "not a registry file");
    access.RegistrySet("HKCU\\Software\\X\\v", "new");
    EXPECT_EQ(ReadText(File().string() + ".bad2"), "not a registry file");
    EXPECT_TRUE(fs::exists(File().string() + ".bad"));
    EXPECT_EQ(access.RegistryValue("HKCU\\Software\\X\\v"), DynamicValue("new"));
}

TEST_F(RegFileStoreTest, FolderInTheFilesPlaceLeavesTheDefaultsAndSaysSoOnce) {
    fs::create_directories(File());
    EXPECT_TRUE(access.RegistryValue("HKCU\\Software\\X\\v").IsEmpty());
    access.RegistrySet("HKCU\\Software\\X\\v", "1");
    access.RegistrySet("HKCU\\Software\\X\\w", "1");
    EXPECT_TRUE(access.RegistryValue("HKCU\\Software\\X\\v").IsEmpty());
    EXPECT_EQ(log.str(), "diglux: " + File().string() +
                             " is not a file; settings are neither read nor saved\n");
    EXPECT_TRUE(fs::is_directory(File())) << "the folder is left alone";
}

TEST_F(RegFileStoreTest, UnusableFolderLeavesTheDefaultsAndSaysSoOnce) {
    WriteText(home / "diglux", "a file where the folder belongs");
    access.RegistrySet("HKCU\\Software\\X\\v", "1");
    access.RegistrySet("HKCU\\Software\\X\\w", "1");
    EXPECT_TRUE(access.RegistryValue("HKCU\\Software\\X\\v").IsEmpty());
    const std::string said = log.str();
    EXPECT_TRUE(said.starts_with("diglux: cannot create " + (home / "diglux").string())) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
}

TEST_F(RegFileStoreTest, LinkedSettingsFileStaysALink) {
    const fs::path dotfiles = home / "dotfiles";
    fs::create_directories(dotfiles);
    fs::create_directories(File().parent_path());
    WriteText(dotfiles / "registry.reg", "REGEDIT4\n");
    fs::create_symlink(dotfiles / "registry.reg", File());
    settings.SaveSettingValue("Tandemark", "Diglux", "Blink", "1");
    EXPECT_TRUE(fs::is_symlink(File()));
    EXPECT_NE(ReadText(dotfiles / "registry.reg").find("\"Blink\"=\"1\""), std::string::npos);
}

TEST_F(RegFileStoreTest, RunKeyValuesAreAutostartEntries) {
    const std::string run = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Diglux";
    EXPECT_TRUE(access.RegistryValue(run).IsEmpty());
    access.RegistrySet(run, "/usr/bin/diglux");
    const fs::path entry = home / "autostart" / "diglux.desktop";
    ASSERT_TRUE(fs::exists(entry));
    EXPECT_NE(ReadText(entry).find("\nExec=/usr/bin/diglux\n"), std::string::npos);
    EXPECT_EQ(access.RegistryValue(run), DynamicValue("/usr/bin/diglux"));
    EXPECT_FALSE(fs::exists(File())) << "the Run key is not kept in the settings file";
    // Switched off in the desktop's own settings: as good as absent.
    WriteText(entry, ReadText(entry) + "Hidden=true\n");
    EXPECT_TRUE(access.RegistryValue(run).IsEmpty());
    EXPECT_TRUE(access.RegDeleteValuePath(run));
    EXPECT_FALSE(fs::exists(entry));
    EXPECT_FALSE(access.RegDeleteValuePath(run));
    access.RegistrySet(run, DynamicValue(std::int32_t{1}));
    EXPECT_FALSE(fs::exists(entry)) << "only texts can be autostart commands";
    access.RegistrySet("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\..", "x");
    EXPECT_FALSE(fs::exists(home / "autostart" / "...desktop"));
    EXPECT_FALSE(
        access.RegDeleteKeyPath("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"));
}

TEST(RegFileStoreConfig, XdgConfigHomeWhenAbsoluteElseHome) {
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string savedConfig = oldConfig != nullptr ? oldConfig : "";
    const char* oldHome = std::getenv("HOME");
    const std::string savedHome = oldHome != nullptr ? oldHome : "";
    setenv("XDG_CONFIG_HOME", "/x/config", 1);
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(RegFileStore::DefaultConfigHome(), "/x/config");
    setenv("XDG_CONFIG_HOME", "relative", 1);
    EXPECT_EQ(RegFileStore::DefaultConfigHome(), "/home/someone/.config");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(RegFileStore::DefaultConfigHome(), "/home/someone/.config");
    oldConfig != nullptr ? setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1)
                         : unsetenv("XDG_CONFIG_HOME");
    oldHome != nullptr ? setenv("HOME", savedHome.c_str(), 1) : unsetenv("HOME");
}

} // namespace
} // namespace diglux
