// The path operations over a registry in memory: every stored type both ways, the settings
// wrappers, deleting, and the paths that address nothing.
#include "store/RegistryAccess.h"
#include "store/SettingsStore.h"
#include "tests/store/TreeRegistry.h"
#include "tests/support/FakeHost.h"

#include <gtest/gtest.h>

namespace diglux::test {
namespace {

constexpr const char* kKey = "HKEY_CURRENT_USER\\Software\\Tandemark\\Diglux";

RegistryValue Raw(RegistryType type, std::string bytes) {
    return {type, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

class RegistryAccessTest : public ::testing::Test {
  protected:
    const RegistryValue* Stored(const std::string& name) { return backend.tree.Find(kKey, name); }

    CallLog log;
    FakeDesktop desktop{log};
    TreeRegistry backend;
    RegistryAccess access{backend, desktop};
};

TEST_F(RegistryAccessTest, WritingMapsEachKindToItsType) {
    const std::string base = "HKCU\\Software\\Tandemark\\Diglux\\";
    access.RegistrySet(base + "text", std::string("ab\0cd", 5));        // cut at the zero
    access.RegistrySet(base + "short", DynamicValue(std::int16_t{-1})); // sign kept in 32 bits
    access.RegistrySet(base + "long", DynamicValue(std::int32_t{0x01020304}));
    access.RegistrySet(base + "byte", DynamicValue(std::uint8_t{200}));
    access.RegistrySet(base + "bytes", DynamicValue::Bytes{0, 1, 255});
    access.RegistrySet(base + "list", DynamicValue::Texts{"a", "", std::string("b\0x", 3), "c"});
    access.RegistrySet(base + "none", DynamicValue::Texts{});
    access.RegistrySet(base + "real", DynamicValue(7.5));
    access.RegistrySet(base + "empty", DynamicValue());

    EXPECT_EQ(*Stored("text"), Raw(RegistryType::String, std::string("ab\0", 3)));
    EXPECT_EQ(*Stored("short"), Raw(RegistryType::DWord, "\xFF\xFF\xFF\xFF"));
    EXPECT_EQ(*Stored("long"), Raw(RegistryType::DWord, "\x04\x03\x02\x01"));
    EXPECT_EQ(*Stored("byte"), Raw(RegistryType::DWord, std::string("\xC8\0\0\0", 4)));
    EXPECT_EQ(*Stored("bytes"), Raw(RegistryType::Binary, std::string("\0\x01\xFF", 3)));
    EXPECT_EQ(*Stored("list"), Raw(RegistryType::MultiString, std::string("a\0b\0c\0\0", 7)));
    EXPECT_EQ(*Stored("none"), Raw(RegistryType::MultiString, std::string("\0", 1)));
    EXPECT_EQ(*Stored("real"), Raw(RegistryType::String, std::string("7.5\0", 4)));
    EXPECT_EQ(*Stored("empty"), Raw(RegistryType::String, std::string("\0", 1)));
    EXPECT_TRUE(log.empty()) << "no beep for values that can be stored";
    EXPECT_TRUE(backend.AllClosed());
}

TEST_F(RegistryAccessTest, AnArrayOfValuesIsNotWrittenAndBeeps) {
    access.RegistrySet("HKCU\\Software\\Tandemark\\Diglux\\mixed",
                       DynamicValue::Values{DynamicValue("a"), DynamicValue(std::int32_t{1})});
    EXPECT_EQ(Stored("mixed"), nullptr);
    EXPECT_EQ(log, (CallLog{"desktop.Beep"}));
}

TEST_F(RegistryAccessTest, ReadingMapsEachTypeToItsKind) {
    auto put = [&](const std::string& name, RegistryValue value) {
        backend.tree.Set(kKey, name, value);
    };
    put("text", Raw(RegistryType::String, std::string("abc\0junk", 8)));
    put("list", Raw(RegistryType::MultiString, std::string("a\0\0b\0\0\0", 7)));
    put("nolist", Raw(RegistryType::MultiString, std::string("\0\0", 2)));
    put("bytes", Raw(RegistryType::Binary, std::string("\0\x01", 2)));
    put("dword", Raw(RegistryType::DWord, "\xFE\xFF\xFF\xFF"));
    put("short", Raw(RegistryType::DWord, "\x05"));
    put("long", Raw(RegistryType::DWord, "123456789"));
    put("expand", Raw(RegistryType::ExpandString, std::string("%HOME%\0", 7)));
    put("none", Raw(RegistryType::None, "x"));
    put("qword", Raw(static_cast<RegistryType>(11), "12345678"));

    const std::string base = "HKCU\\Software\\Tandemark\\Diglux\\";
    EXPECT_EQ(access.RegistryValue(base + "text"), DynamicValue("abc"));
    EXPECT_EQ(access.RegistryValue(base + "list"), DynamicValue(DynamicValue::Texts{"a", "", "b"}));
    EXPECT_EQ(access.RegistryValue(base + "nolist"), DynamicValue(DynamicValue::Texts{}));
    EXPECT_EQ(access.RegistryValue(base + "bytes"), DynamicValue(DynamicValue::Bytes{0, 1}));
    EXPECT_EQ(access.RegistryValue(base + "dword"), DynamicValue(std::int32_t{-2}));
    EXPECT_EQ(access.RegistryValue(base + "short"), DynamicValue(std::int32_t{5}));
    for (const char* empty : {"long", "expand", "none", "qword", "missing"}) {
        EXPECT_TRUE(access.RegistryValue(base + empty).IsEmpty()) << empty;
    }
    EXPECT_TRUE(access.RegistryValue("HKCU\\Software\\Nowhere\\x").IsEmpty());
    EXPECT_TRUE(backend.AllClosed());
}

TEST_F(RegistryAccessTest, RootsInAnyCaseAndTheRootsThatAddressNothing) {
    access.RegistrySet("HKCU\\Software\\Tandemark\\Diglux\\Blink", "1");
    EXPECT_EQ(access.RegistryValue("hkcu\\Software\\Tandemark\\Diglux\\Blink"), DynamicValue("1"));
    EXPECT_EQ(access.RegistryValue("HKEY_CURRENT_USER\\SOFTWARE\\tandemark\\Diglux\\BLINK"),
              DynamicValue("1"));
    const RegistryTree before = backend.tree;
    access.RegistrySet("HKU\\Software\\Tandemark\\Diglux\\Blink", "0");
    access.RegistrySet("HKCC\\Software\\X\\Y", "0");
    access.RegistrySet("", "0");
    EXPECT_EQ(backend.tree, before);
    EXPECT_TRUE(access.RegistryValue("HKU\\Software\\Tandemark\\Diglux\\Blink").IsEmpty());
    EXPECT_TRUE(access.RegistryValue("  ").IsEmpty());
    EXPECT_FALSE(access.RegDeleteValuePath("HKU\\Software\\Tandemark\\Diglux\\Blink"));
}

TEST_F(RegistryAccessTest, TrailingBackslashIsTheDefaultValue) {
    access.RegistrySet("HKCU\\Software\\X\\", "default");
    EXPECT_EQ(*backend.tree.Find("HKEY_CURRENT_USER\\Software\\X", ""),
              Raw(RegistryType::String, std::string("default\0", 8)));
    EXPECT_EQ(access.RegistryValue("HKCU\\Software\\X\\"), DynamicValue("default"));
    EXPECT_TRUE(access.RegistryValue("HKCU\\Software\\X\\other").IsEmpty());
}

TEST_F(RegistryAccessTest, DeletingValuesAndKeys) {
    access.RegistrySet("HKCU\\Software\\X\\Sub\\v", "1");
    EXPECT_FALSE(access.RegDeleteValuePath("HKCU\\Software\\X\\Sub\\missing"));
    EXPECT_EQ(access.RegistryValue("HKCU\\Software\\X\\Sub\\v", kRegDeleteValue),
              DynamicValue::Flag(true));
    EXPECT_EQ(access.RegistryValue("HKCU\\Software\\X\\Sub\\v", kRegDeleteValue),
              DynamicValue::Flag(false));
    // A key with sub-keys stays; without the trailing "\" the whole path is the key.
    EXPECT_FALSE(access.RegDeleteKeyPath("HKCU\\Software\\X"));
    EXPECT_TRUE(access.RegDeleteKeyPath("HKCU\\Software\\X\\Sub"));
    EXPECT_TRUE(access.RegistryValue("HKCU\\Software\\X\\", kRegDeleteKey) ==
                DynamicValue::Flag(true));
    EXPECT_FALSE(backend.tree.HasKey("HKEY_CURRENT_USER\\Software\\X"));
    EXPECT_TRUE(backend.tree.HasKey("HKEY_CURRENT_USER\\Software"));
    // The codes the program never passes do nothing.
    access.RegistrySet("HKCU\\Software\\Y\\v", "1");
    for (int code : {kRegListKeys, kRegListValues, kRegCreateKey}) {
        EXPECT_TRUE(access.RegistryValue("HKCU\\Software\\Y\\v", code).IsEmpty());
    }
    EXPECT_EQ(access.RegistryValue("HKCU\\Software\\Y\\v", 17), DynamicValue("1"));
}

TEST_F(RegistryAccessTest, SettingsWrappersKeepBackslashNamesInTheProductKey) {
    SettingsStore store(access);
    store.SaveSettingValue("Tandemark", "Diglux", "a\\b", "x");
    EXPECT_NE(Stored("a\\b"), nullptr);
    EXPECT_FALSE(backend.tree.HasKey(std::string(kKey) + "\\a"));
    EXPECT_EQ(store.GetSettingText("Tandemark", "Diglux", "a\\b", "d"), "x");
    EXPECT_EQ(SettingPath("M", "P", "C:\\x"), "HKCU\\Software\\M\\P\\\\C:\\x");
    store.DeleteSettingValue("Tandemark", "Diglux", "a\\b");
    EXPECT_EQ(Stored("a\\b"), nullptr);
}

TEST_F(RegistryAccessTest, SettingsWrappersGiveTheDefaultOnlyForMissingValues) {
    SettingsStore store(access);
    EXPECT_EQ(store.GetSettingText("Tandemark", "Diglux", "Blink", "0"), "0");
    store.SaveSettingValue("Tandemark", "Diglux", "Blink", "");
    EXPECT_EQ(store.GetSettingText("Tandemark", "Diglux", "Blink", "0"), "");
    backend.tree.Set(kKey, "Dock", Raw(RegistryType::DWord, std::string("\x05\0\0\0", 4)));
    EXPECT_EQ(store.GetSettingText("Tandemark", "Diglux", "Dock", "0"), "5");
    backend.tree.Set(kKey, "Path", Raw(RegistryType::ExpandString, std::string("x\0", 2)));
    EXPECT_EQ(store.GetSettingText("Tandemark", "Diglux", "Path", "d"), "d");
    backend.tree.Set(kKey, "List", Raw(RegistryType::MultiString, std::string("a\0\0", 3)));
    EXPECT_EQ(store.GetSettingText("Tandemark", "Diglux", "List", "d"), "d");
    EXPECT_EQ(store.GetSettingValue("Tandemark", "Diglux", "List", "d"),
              DynamicValue(DynamicValue::Texts{"a"}));
}

TEST_F(RegistryAccessTest, BlankNameDeletesTheProductKeyOnlyWithoutSubKeys) {
    SettingsStore store(access);
    store.SaveSettingValue("Tandemark", "Diglux", "Blink", "1");
    access.RegistrySet("HKCU\\Software\\Tandemark\\Diglux\\Sub\\v", "1");
    store.DeleteSettingValue("Tandemark", "Diglux", "   ");
    EXPECT_TRUE(backend.tree.HasKey(kKey));
    access.RegDeleteKeyPath("HKCU\\Software\\Tandemark\\Diglux\\Sub");
    store.DeleteSettingValue("Tandemark", "Diglux", "");
    EXPECT_FALSE(backend.tree.HasKey(kKey));
    EXPECT_TRUE(backend.tree.HasKey("HKEY_CURRENT_USER\\Software\\Tandemark"));
}

} // namespace
} // namespace diglux::test
