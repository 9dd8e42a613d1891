// Registry paths and the access through them: how a path splits into root, key and value name,
// the paths that address nothing, each value kind as its stored type both ways (down to the
// registry file), the settings wrappers, and the text and number forms of a value.
#include "store/RegistryPath.h"
#include "store/SettingsStore.h"
#include "tests/store/RegFileSupport.h"
#include "tests/support/FakeHost.h"

namespace diglux::test {
namespace {

// Only the user's and the machine's roots, by short or long name in any case: the others hold
// nothing of this program's. The value name starts after the last run of separators, two
// backslashes keep the name's own backslashes and three keep two of them; a trailing backslash
// names the default value. Blanks at both ends are ignored.
TEST(RegistryPath, SplitsIntoRootKeyAndValueName) {
    EXPECT_EQ(RootFromName("Hkey_Local_Machine"), RegistryRoot::LocalMachine);
    for (const char* name : {"HKU", "HKCC", "HKCR", "HKEY_USERS", ""}) {
        EXPECT_EQ(RootFromName(name), std::nullopt) << name;
    }
    EXPECT_EQ(SplitRegistryPath(" hkcu \\Software\\X\\Blink ").root, RegistryRoot::CurrentUser);
    const std::vector<std::array<std::string, 3>> cases{
        {" hkcu \\Software\\X\\Blink ", "Software\\X", "Blink"},
        {"HKCU\\Software\\X\\", "Software\\X", ""},
        {"HKCU\\Blink", "", ""},
        {"HKCU\\", "", ""},
        {"HKCU", "", ""},
        {"HKCU\\Software\\X\\\\C:\\dir\\prog.exe", "Software\\X", "C:\\dir\\prog.exe"},
        {"HKCU\\A\\\\b\\\\c", "A\\\\b", "c"},
        {"HKCU\\Software\\X\\\\\\name", "Software\\X", "\\\\name"},
        {"HKCU\\Software\\X\\\\\\", "Software\\X", "\\\\"}};
    for (const auto& [path, key, name] : cases) {
        const RegistryPath split = SplitRegistryPath(path);
        EXPECT_EQ(split.keyPath + " | " + split.valueName, key + " | " + name) << path;
    }
}

class RegistryAccessTest : public ::testing::Test {
  protected:
    CallLog log;
    FakeRegistry backend{log};
    RegistryAccess access{backend};
    SettingsStore store{access, "Tandemark", "Diglux"};
};

// A missing key reads as nothing; paths under other roots or without one read, write and
// delete nothing.
TEST_F(RegistryAccessTest, PathsThatAddressNothing) {
    EXPECT_TRUE(access.RegistryValue("HKCU\\Software\\Nowhere\\x").IsEmpty());
    for (const char* path : {"HKU\\Software\\Tandemark\\Diglux\\Blink", "HKCC\\Software\\X", ""}) {
        access.RegistrySet(path, "0");
        EXPECT_TRUE(access.RegistryValue(path).IsEmpty()) << path;
        EXPECT_FALSE(access.RegDeleteValuePath(path)) << path;
        EXPECT_FALSE(access.RegDeleteKeyPath(path)) << path;
    }
    EXPECT_EQ(backend.tree, RegistryTree());
}

// Each value kind is stored as its type, saved in the registry file in that type's form, and
// read back; values others wrote (no value kind given) are read from the file. The setting's
// name holds a backslash: it stays whole as the value's name, no sub-key appears. Texts end at
// their first zero, integers keep their sign in 32 bits, other numbers are stored as their
// shortest text, empty texts are left out of a list. DWORDs shorter than four bytes are
// padded; a longer one, expandable texts and types without a name read as nothing. The
// setting's text is the value's text form (numbers in decimal, byte arrays as their bytes), or
// the default "d" when it has none (a list) or nothing was read. Deleting takes the value, and
// a blank name the product key once it is empty.
TEST_F(RegistryAccessTest, EachKindAsItsStoredTypeBothWays) {
    using I32 = std::int32_t;
    using Texts = DynamicValue::Texts;
    using Case = std::tuple<std::optional<DynamicValue>, std::string, DynamicValue, std::string>;
    const std::vector<Case> cases{
        {std::string("ab\0cd", 5), R"("ab")", "ab", "ab"},
        {"Grüße \"q\" C:\\", R"("Grüße \"q\" C:\\")", "Grüße \"q\" C:\\", "Grüße \"q\" C:\\"},
        {"", R"("")", "", ""},
        {std::int16_t{-1}, "dword:ffffffff", I32{-1}, "-1"},
        {I32{0x0002030a}, "dword:0002030a", I32{0x0002030a}, "131850"},
        {0.1, R"("0.1")", "0.1", "0.1"},
        {DynamicValue::Bytes{'h', 0xff}, "hex:68,ff", DynamicValue::Bytes{'h', 0xff}, "h\xff"},
        {DynamicValue::Bytes{}, "hex:", DynamicValue::Bytes{}, ""},
        {"a\r\nb", "hex(1):61,0d,0a,62,00", "a\r\nb", "a\r\nb"},
        {Texts{"a", "", "b"}, "hex(7):61,00,62,00,00", Texts{"a", "b"}, "d"},
        {std::nullopt, "hex(1):61,00,62,00", "a", "a"},
        {std::nullopt, "hex(1):61,62,63", "abc", "abc"},
        {std::nullopt, "hex(4):05", I32{5}, "5"},
        {std::nullopt, "hex(4):01,02,03,04,05", DynamicValue(), "d"},
        {std::nullopt, "hex(2):25,54,25,00", DynamicValue(), "d"},
        {std::nullopt, "hex(b):31,32,33,34,35,36,37,38", DynamicValue(), "d"}};
    for (const auto& [written, form, read, text] : cases) {
        const std::string file = kLevels + R"("a\\b"=)" + form + "\n";
        if (written) {
            store.SaveSettingValue("a\\b", *written);
        } else {
            backend.tree = Parse(file);
        }
        EXPECT_EQ(PrintRegFile(backend.tree), file);
        EXPECT_EQ(Parse(file), backend.tree) << form;
        EXPECT_EQ(store.GetSettingValue("a\\b", {}), read) << form;
        EXPECT_EQ(store.GetSettingText("a\\b", "d"), text) << form;
    }
    store.DeleteSettingValue("a\\b");
    EXPECT_EQ(PrintRegFile(backend.tree), kLevels);
    store.DeleteSettingValue(" ");
    EXPECT_FALSE(backend.tree.HasKey(kKey));
    EXPECT_TRUE(backend.AllClosed());
}

// A value with nothing in it has the empty text; a number is read from the start of a text
// only, and a byte array has none.
TEST(DynamicValue, EmptyTextAndNumbersFromTexts) {
    EXPECT_EQ(DynamicValue().TextForm(), "");
    EXPECT_EQ(DynamicValue(" 12x").NumericValue(), 12.0);
    EXPECT_EQ(DynamicValue(DynamicValue::DynamicValue::Bytes{'1'}).NumericValue(), 0.0);
}

} // namespace
} // namespace diglux::test
