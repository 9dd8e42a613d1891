// Registry paths and the access through them: how a path splits into root, key and value name,
// the paths that address nothing, each value kind as its stored type both ways (down to the
// registry file), the settings wrappers, and the text and number forms of a value. The files
// the Linux host keeps the registry in: the registry file format (files others wrote, read as
// our own form shows them, and the lines that make a file unreadable), and the desktop
// autostart entries that stand for the Run key's values.
#include "store/AutostartEntry.h"
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

using namespace std::string_literals;

// UTF-16 LE with its byte-order mark, as the Windows registry editor exports version 5.00.
std::string Utf16(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t c : text) {
        bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    }
    return bytes;
}

// Each file is read and written again in our form, which reads back as itself.
// A REGEDIT4 file: a byte-order mark, comments, CR LF and blanks are allowed; roots may be
// abbreviated, kinds in any case, hex data continued on the next line. Keys and value names
// compare without regard to case and keep their first spelling and place. The import lines that
// delete a value or a key with all below it are applied. Our form has a section for every key
// level, empty keys too, escapes \ and " in names, writes "@" for the default value, keeps roots
// it does not know, and wraps long hex data after the byte that passes 76 columns.
// A version 5.00 export is UTF-16, and so are its texts (binary data stays as it is).
// An empty file is an empty store.
TEST(RegFileFormat, ReadsWhatOthersWroteAndWritesItInOurForm) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"\xEF\xBB\xBFREGEDIT4\r\n; a comment\r\n\r\n[hkcu\\Software\\Tandemark\\Diglux]\r\n"
         "  \"Blink\" = \"0\"  \r\n\"Dock\"=DWORD:5\r\n@=\"default\"\r\n"
         "\"Say \\\"hi\\\" \\\\\"=\"x\"\r\n\"Bin\"=hex:01, 02,\\\r\n    03\r\n"
         "\"Gone\"=\"x\"\r\n\"Gone\"=-\r\n[HKEY_CURRENT_USER\\software\\TANDEMARK\\diglux]\r\n"
         "\"BLINK\"=\"1\"\r\n[HKEY_CURRENT_USER\\Software\\Tandemark\\Diglux\\Empty Sub]\r\n"
         "[HKEY_SOMEWHERE\\X]\r\n\"v\"=\"elsewhere\"\r\n[HKLM\\Software\\X]\r\n"
         "\"v\"=\"machine\"\r\n[HKEY_CURRENT_USER\\Software\\Old\\Sub]\r\n"
         "[-HKEY_CURRENT_USER\\Software\\Old]\r\n",
         kLevels + "\"Blink\"=\"1\"\n\"Dock\"=dword:00000005\n@=\"default\"\n"
                   "\"Say \\\"hi\\\" \\\\\"=\"x\"\n\"Bin\"=hex:01,02,03\n"
                   "\n[HKEY_CURRENT_USER\\Software\\Tandemark\\Diglux\\Empty Sub]\n"
                   "\n[HKEY_LOCAL_MACHINE\\Software]\n\n[HKEY_LOCAL_MACHINE\\Software\\X]\n"
                   "\"v\"=\"machine\"\n\n[HKEY_SOMEWHERE\\X]\n\"v\"=\"elsewhere\"\n"},
        {"REGEDIT4\n[HKCU\\Software\\Tandemark\\Diglux]\n"
         "\"w\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,17,18,19,"
         "1a,1b,1c,1d\n",
         kLevels + "\"w\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,"
                   "16,\\\n  17,18,19,1a,1b,1c,1d\n"},
        {Utf16(u"Windows Registry Editor Version 5.00\r\n\r\n"
               u"[HKEY_CURRENT_USER\\Software\\Tandemark\\Diglux]\r\n\"Gruß\"=\"ü\"\r\n"
               u"\"Path\"=hex(2):25,00,54,00,00,00\r\n\"Bin\"=hex:61,00\r\n"),
         kLevels + "\"Gruß\"=\"ü\"\n\"Path\"=hex(2):25,54,00\n\"Bin\"=hex:61,00\n"},
        {"", "REGEDIT4\n"},
        {" \n\n", "REGEDIT4\n"}};
    for (const auto& [file, form] : cases) {
        EXPECT_EQ(PrintRegFile(Parse(file)), form);
        EXPECT_EQ(PrintRegFile(Parse(form)), form);
    }
}

// A broken file is refused as a whole, with the line and what is wrong there; a file cut off in
// the middle of its last line is refused, not half read.
TEST(RegFileFormat, RefusesBrokenFilesWithTheLineAndTheReason) {
    const std::string key = "REGEDIT4\n[HKEY_CURRENT_USER\\X]\n";
    const std::string hexData = "hex data must be two-digit bytes separated by commas";
    const std::string dword = "dword: needs 1 to 8 hexadecimal digits";
    const std::vector<std::tuple<std::string, int, std::string>> cases{
        {"REGEDIT5\n", 1, "not a registry file (REGEDIT4 expected)"},
        {"\n\n[HKEY_CURRENT_USER\\X]\n", 3, "not a registry file (REGEDIT4 expected)"},
        {"REGEDIT4\n\"v\"=\"1\"\n", 2, "a value before the first key"},
        {key + "\"v\"=\"unterminated\n", 3, "a closing quote is missing"},
        {key + "\"v\"=\"a\" junk\n", 3, "text after the closing quote"},
        {key + "\"v\"=dword:123456789\n", 3, dword},
        {key + "\"v\"=dword:xyz\n", 3, dword},
        {key + "\"v\"=hex:1,02\n", 3, hexData},
        {key + "\"v\"=hex(zz):01\n", 3, "hex(...) needs a type number in hexadecimal"},
        {key + "\"v\"=word:1\n", 3, "unknown kind of value"},
        {key + "\"v\" \"1\"\n", 3, "\"=\" expected after the value name"},
        {key + "[HKEY_CURRENT_USER\\X\n", 3, "a key line must end with \"]\""},
        {key + "[HKCU\\A\\\\B]\n", 3, "a key name is empty or holds control characters"},
        {Utf16(u"RE") + "\x00\xD8"s, 0, "the file is not UTF-16 text"}, // a lone surrogate
        {key + "\"v\"=hex:01,02,\\\n", 3, "hex data ends with a comma (cut off?)"},
        {key + "\"v\"=\"ab", 3, "a closing quote is missing"}};
    for (const auto& [text, line, reason] : cases) {
        RegFileError error;
        EXPECT_FALSE(ParseRegFile(text, error).has_value()) << text;
        EXPECT_EQ(std::to_string(error.line) + " " + error.reason,
                  std::to_string(line) + " " + reason);
    }
}

// The file is the value's name in lower case; a name that cannot be one file name gives none.
// The entry we write is an application entry whose command reads back the same through the
// format's escapes. Only the main group's Exec line counts, without the blanks and CR around
// it; an entry switched off (Hidden, or off for GNOME) starts nothing.
TEST(AutostartEntry, FileNameExecLineBothWaysAndSwitchedOffEntries) {
    EXPECT_EQ(AutostartFileName("My Clock"), "my clock.desktop");
    for (const char* refused : {"", ".", "..", "a/b", "../x", "a\nb"}) {
        EXPECT_EQ(AutostartFileName(refused), "") << refused;
    }
    for (const std::string command : {"/usr/bin/diglux", "\"/opt/my clock/diglux\" --x",
                                      " lead\\ing\ttab", "C:\\Prog\\D.exe"}) {
        const std::string entry = AutostartEntryText("Diglux", command);
        EXPECT_TRUE(entry.starts_with("[Desktop Entry]\nType=Application\nName=Diglux\n"));
        EXPECT_EQ(AutostartCommand(entry), command);
    }
    EXPECT_EQ(AutostartCommand("[Desktop Entry]\r\nName=X\r\nExec = a b \r\n"), "a b");
    EXPECT_EQ(AutostartCommand("[Desktop Action x]\nExec=other\n[Desktop Entry]\nExec=main\n"),
              "main");
    EXPECT_EQ(AutostartCommand("[Desktop Entry]\nName=X\n"), std::nullopt);
    EXPECT_EQ(AutostartCommand("[Desktop Entry]\nExec=a\nHidden=true\n"), std::nullopt);
    EXPECT_EQ(AutostartCommand("[Desktop Entry]\nExec=a\nX-GNOME-Autostart-enabled=false\n"),
              std::nullopt);
    EXPECT_EQ(AutostartCommand("[Desktop Entry]\nExec=a\nHidden=false\n"), "a");
}

} // namespace
} // namespace diglux::test
