// Splitting registry paths: roots, the three separators, default values.
#include "store/RegistryPath.h"

#include <gtest/gtest.h>

namespace diglux {
namespace {

using Split = std::pair<std::string, std::string>; // key path, value name

Split Of(const std::string& path) {
    const RegistryPath p = SplitRegistryPath(path);
    return {p.keyPath, p.valueName};
}

TEST(RegistryPath, RootNamesInAnyCaseAndOnlyTheTableOnes) {
    EXPECT_EQ(RootFromName("hkcu"), RegistryRoot::CurrentUser);
    EXPECT_EQ(RootFromName("Hkey_Local_Machine"), RegistryRoot::LocalMachine);
    for (const char* name : {"HKU", "HKCC", "HKCR", "HKEY_USERS", ""}) {
        EXPECT_EQ(RootFromName(name), std::nullopt) << name;
    }
    EXPECT_EQ(RootLongName(RegistryRoot::CurrentUser), "HKEY_CURRENT_USER");
}

TEST(RegistryPath, SplitsAtTheLastSeparatorOfOneTwoOrThreeBackslashes) {
    const RegistryPath p = SplitRegistryPath("   hkcu \\Software\\X\\Blink  "); // blanks ignored
    EXPECT_EQ(p.root, RegistryRoot::CurrentUser);
    EXPECT_EQ(Split(p.keyPath, p.valueName), Split("Software\\X", "Blink"));
    const std::vector<std::pair<std::string, Split>> cases{
        {"HKCU\\Software\\X\\", {"Software\\X", ""}}, // the default value
        {"HKCU\\Blink", {"", ""}},                    // no separator in the rest
        {"HKCU\\", {"", ""}},
        {"HKCU", {"", ""}},
        // A double separator keeps backslashes in the value name; the last one wins.
        {"HKCU\\Software\\X\\\\C:\\dir\\prog.exe", {"Software\\X", "C:\\dir\\prog.exe"}},
        {"HKCU\\A\\\\b\\\\c", {"A\\\\b", "c"}},
        // A triple separator keeps two leading backslashes.
        {"HKCU\\Software\\X\\\\\\name", {"Software\\X", "\\\\name"}},
        {"HKCU\\Software\\X\\\\\\", {"Software\\X", "\\\\"}}};
    for (const auto& [path, split] : cases) {
        EXPECT_EQ(Of(path), split) << path;
    }
}

} // namespace
} // namespace diglux
