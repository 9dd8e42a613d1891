// The path operations over a registry in memory: the stored types both ways, the settings
// wrappers, and the paths that address nothing.
#include "store/RegistryAccess.h"
#include "store/SettingsStore.h"
#include "tests/store/TreeRegistry.h"
#include "tests/support/FakeHost.h"

#include <gtest/gtest.h>

namespace diglux::test {
namespace {

constexpr const char* kKey = "HKEY_CURRENT_USER\\Software\\Tandemark\\Diglux";
constexpr const char* kPath = "HKCU\\Software\\Tandemark\\Diglux\\";

RegistryValue Raw(RegistryType type, std::string bytes) {
    return {type, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

class RegistryAccessTest : public ::testing::Test {
  protected:
    const RegistryValue* Stored(const std::string& name) { return backend.tree.Find(kKey, name); }

    TreeRegistry backend;
    RegistryAccess access{backend};
};

// Texts are cut at a zero, integers keep their sign in 32 bits, numbers are stored as text.
TEST_F(RegistryAccessTest, WritingMapsEachKindToItsType) {
    using T = RegistryType;
    const std::vector<std::pair<DynamicValue, RegistryValue>> cases{
        {std::string("ab\0cd", 5), Raw(T::String, std::string("ab\0", 3))},
        {std::int16_t{-1}, Raw(T::DWord, "\xFF\xFF\xFF\xFF")},
        {std::int32_t{0x01020304}, Raw(T::DWord, "\x04\x03\x02\x01")},
        {7.5, Raw(T::String, std::string("7.5\0", 4))}};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        access.RegistrySet(std::string(kPath) + "v", cases[i].first);
        ASSERT_NE(Stored("v"), nullptr) << "case " << i;
        EXPECT_EQ(*Stored("v"), cases[i].second) << "case " << i;
    }
    EXPECT_TRUE(backend.AllClosed());
}

// Texts end at their first zero, short DWORDs are padded; a long DWORD, expandable texts and
// unknown types read as empty.
TEST_F(RegistryAccessTest, ReadingMapsEachTypeToItsKind) {
    using T = RegistryType;
    const std::vector<std::pair<RegistryValue, DynamicValue>> cases{
        {Raw(T::String, std::string("abc\0junk", 8)), DynamicValue("abc")},
        {Raw(T::DWord, "\xFE\xFF\xFF\xFF"), std::int32_t{-2}},
        {Raw(T::DWord, "\x05"), std::int32_t{5}},
        {Raw(T::DWord, "123456789"), DynamicValue()},
        {Raw(T::ExpandString, std::string("%HOME%\0", 7)), DynamicValue()},
        {Raw(static_cast<T>(11), "12345678"), DynamicValue()}};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        backend.tree.Set(kKey, "v", cases[i].first);
        EXPECT_EQ(access.RegistryValue(std::string(kPath) + "v"), cases[i].second) << "case " << i;
    }
    EXPECT_TRUE(access.RegistryValue(std::string(kPath) + "missing").IsEmpty());
    EXPECT_TRUE(access.RegistryValue("HKCU\\Software\\Nowhere\\x").IsEmpty());
    EXPECT_TRUE(backend.AllClosed());
}

TEST_F(RegistryAccessTest, RootsInAnyCaseAndTheRootsThatAddressNothing) {
    access.RegistrySet("HKCU\\Software\\Tandemark\\Diglux\\Blink", "1");
    EXPECT_EQ(access.RegistryValue("HKEY_CURRENT_USER\\SOFTWARE\\tandemark\\Diglux\\BLINK"),
              DynamicValue("1"));
    const RegistryTree before = backend.tree;
    for (const char* path :
         {"HKU\\Software\\Tandemark\\Diglux\\Blink", "HKCC\\Software\\X\\Y", ""}) {
        access.RegistrySet(path, "0");
        EXPECT_TRUE(access.RegistryValue(path).IsEmpty()) << path;
        EXPECT_FALSE(access.RegDeleteValuePath(path)) << path;
    }
    EXPECT_EQ(backend.tree, before);
    // A trailing backslash addresses the key's default value.
    access.RegistrySet("HKCU\\Software\\X\\", "default");
    EXPECT_EQ(*backend.tree.Find("HKEY_CURRENT_USER\\Software\\X", ""),
              Raw(RegistryType::String, std::string("default\0", 8)));
    EXPECT_EQ(access.RegistryValue("HKCU\\Software\\X\\"), DynamicValue("default"));
}

// Names with backslashes stay in the product key; kinds without a text form give the default.
TEST_F(RegistryAccessTest, SettingsWrappers) {
    SettingsStore store(access, "Tandemark", "Diglux");
    EXPECT_EQ(SettingPath("M", "P", "C:\\x"), "HKCU\\Software\\M\\P\\\\C:\\x");
    store.SaveSettingValue("a\\b", "x");
    EXPECT_NE(Stored("a\\b"), nullptr);
    EXPECT_FALSE(backend.tree.HasKey(std::string(kKey) + "\\a"));
    EXPECT_EQ(store.GetSettingText("a\\b", "d"), "x");
    store.DeleteSettingValue("a\\b");
    EXPECT_EQ(Stored("a\\b"), nullptr);
    backend.tree.Set(kKey, "List", Raw(RegistryType::MultiString, std::string("a\0\0", 3)));
    EXPECT_EQ(store.GetSettingText("List", "d"), "d");
}

TEST(DynamicValue, TextAndNumericForms) {
    EXPECT_EQ(DynamicValue().TextForm(), "");
    EXPECT_EQ(DynamicValue(std::int32_t{-12}).TextForm(), "-12");
    EXPECT_EQ(DynamicValue(0.1).TextForm(), "0.1");
    EXPECT_EQ(DynamicValue(DynamicValue::Bytes{'h', 'i'}).TextForm(), "hi");
    EXPECT_EQ(DynamicValue(DynamicValue::Texts{"a"}).TextForm(), std::nullopt);
    EXPECT_EQ(DynamicValue(" 12x").NumericValue(), 12.0);
    EXPECT_EQ(DynamicValue(DynamicValue::Bytes{'1'}).NumericValue(), 0.0);
}

} // namespace
} // namespace diglux::test
