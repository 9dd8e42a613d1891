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
    EXPECT_EQ(RootFromName("HKCU"), RegistryRoot::CurrentUser);
    EXPECT_EQ(RootFromName("hkcu"), RegistryRoot::CurrentUser);
    EXPECT_EQ(RootFromName("Hkey_Local_Machine"), RegistryRoot::LocalMachine);
    EXPECT_EQ(RootFromName("HKCR"), RegistryRoot::ClassesRoot);
    EXPECT_EQ(RootFromName("HKEY_USERS"), RegistryRoot::Users);
    EXPECT_EQ(RootFromName("HKPD"), RegistryRoot::PerformanceData);
    EXPECT_EQ(RootFromName("HKEY_CURRENT_CONFIG"), RegistryRoot::CurrentConfig);
    EXPECT_EQ(RootFromName("HKDD"), RegistryRoot::DynData);
    EXPECT_EQ(RootFromName("HKU"), std::nullopt);
    EXPECT_EQ(RootFromName("HKCC"), std::nullopt);
    EXPECT_EQ(RootFromName(""), std::nullopt);
    EXPECT_EQ(RootLongName(RegistryRoot::CurrentUser), "HKEY_CURRENT_USER");
    EXPECT_EQ(RootLongName(RegistryRoot::DynData), "HKEY_DYN_DATA");
}

TEST(RegistryPath, BlanksAroundThePathAndTheRootAreIgnored) {
    const RegistryPath p = SplitRegistryPath("   hkcu \\Software\\X\\Blink  ");
    EXPECT_EQ(p.root, RegistryRoot::CurrentUser);
    EXPECT_EQ(p.keyPath, "Software\\X");
    EXPECT_EQ(p.valueName, "Blink");
}

TEST(RegistryPath, SingleSeparatorSplitsAtTheLastBackslash) {
    EXPECT_EQ(Of("HKCU\\Software\\Tandemark\\Diglux\\Blink"),
              Split("Software\\Tandemark\\Diglux", "Blink"));
    EXPECT_EQ(Of("HKCU\\Software\\X\\"), Split("Software\\X", "")); // the default value
    EXPECT_EQ(Of("HKCU\\Blink"), Split("", ""));                    // no separator in the rest
    EXPECT_EQ(Of("HKCU\\"), Split("", ""));
    EXPECT_EQ(Of("HKCU"), Split("", ""));
    EXPECT_EQ(SplitRegistryPath("HKCU").root, RegistryRoot::CurrentUser);
}

TEST(RegistryPath, DoubleSeparatorKeepsBackslashesInTheValueName) {
    EXPECT_EQ(Of("HKCU\\Software\\X\\\\C:\\dir\\prog.exe"),
              Split("Software\\X", "C:\\dir\\prog.exe"));
    EXPECT_EQ(Of("HKCU\\Software\\X\\\\a\\b"), Split("Software\\X", "a\\b"));
    // The last double separator wins.
    EXPECT_EQ(Of("HKCU\\A\\\\b\\\\c"), Split("A\\\\b", "c"));
}

TEST(RegistryPath, TripleSeparatorKeepsTwoLeadingBackslashes) {
    EXPECT_EQ(Of("HKCU\\Software\\X\\\\\\name"), Split("Software\\X", "\\\\name"));
    EXPECT_EQ(Of("HKCU\\Software\\X\\\\\\"), Split("Software\\X", "\\\\"));
}

} // namespace
} // namespace diglux
