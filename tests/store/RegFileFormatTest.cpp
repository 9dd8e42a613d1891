// The registry file format: what we write, what we read back, Windows exports, and the lines
// that make a file unreadable.
#include "store/RegFileFormat.h"

#include <gtest/gtest.h>

namespace diglux {
namespace {

using namespace std::string_literals;

constexpr const char* kKey = "HKEY_CURRENT_USER\\Software\\Tandemark\\Diglux";

RegistryValue Raw(RegistryType type, std::string bytes) {
    return {type, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

RegistryValue Text(const std::string& text) {
    return Raw(RegistryType::String, text + std::string(1, '\0'));
}

RegistryTree Parse(const std::string& text) {
    RegFileError error;
    std::optional<RegistryTree> tree = ParseRegFile(text, error);
    EXPECT_TRUE(tree.has_value()) << "line " << error.line << ": " << error.reason;
    return tree.value_or(RegistryTree());
}

RegFileError Refusal(const std::string& text) {
    RegFileError error;
    EXPECT_FALSE(ParseRegFile(text, error).has_value()) << text;
    return error;
}

TEST(RegFileFormat, WritesRegedit4WithEveryLevelAndEscapes) {
    RegistryTree tree;
    tree.Set(kKey, "Blink", Text("1"));
    tree.Set(kKey, "Say \"hi\"", Text("C:\\dir"));
    tree.Set(kKey, "", Raw(RegistryType::DWord, "\x0a\0\0\0"s));
    tree.Set(kKey, "Bin", Raw(RegistryType::Binary, "\x01\xff"));
    tree.Set(kKey, "Multi", Text("a\r\nb"));
    EXPECT_EQ(PrintRegFile(tree), "REGEDIT4\n"
                                  "\n[HKEY_CURRENT_USER\\Software]\n"
                                  "\n[HKEY_CURRENT_USER\\Software\\Tandemark]\n"
                                  "\n[HKEY_CURRENT_USER\\Software\\Tandemark\\Diglux]\n"
                                  "\"Blink\"=\"1\"\n"
                                  "\"Say \\\"hi\\\"\"=\"C:\\\\dir\"\n"
                                  "@=dword:0000000a\n"
                                  "\"Bin\"=hex:01,ff\n"
                                  "\"Multi\"=hex(1):61,0d,0a,62,00\n");
}

TEST(RegFileFormat, EveryTypeSurvivesTheRoundTrip) {
    RegistryTree tree;
    tree.Set(kKey, "text", Text("Grüße \"quoted\" \\ back"));
    tree.Set(kKey, "empty", Text(""));
    tree.Set(kKey, "inner zero", Raw(RegistryType::String, "a\0b\0"s));
    tree.Set(kKey, "no zero", Raw(RegistryType::String, "abc"));
    tree.Set(kKey, "dword", Raw(RegistryType::DWord, "\xff\xff\xff\x7f"));
    tree.Set(kKey, "short dword", Raw(RegistryType::DWord, "\x01"));
    tree.Set(kKey, "long binary", Raw(RegistryType::Binary, std::string(300, '\x5a')));
    tree.Set(kKey, "no bytes", Raw(RegistryType::Binary, ""));
    tree.Set(kKey, "expand", Raw(RegistryType::ExpandString, "%HOME%\0"s));
    tree.Set(kKey, "multi", Raw(RegistryType::MultiString, "a\0b\0\0"s));
    tree.Set(kKey, "qword", Raw(static_cast<RegistryType>(0xb), "12345678"));
    tree.Set(kKey, "", Text("default"));
    tree.AddKey(std::string(kKey) + "\\Empty Sub");
    tree.Set("HKEY_LOCAL_MACHINE\\Software\\X", "v", Text("machine"));
    const std::string text = PrintRegFile(tree);
    EXPECT_EQ(Parse(text), tree);
    EXPECT_EQ(PrintRegFile(Parse(text)), text);
    // Long hex data is wrapped, and every line stays short.
    std::size_t longest = 0;
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1) {
        longest = std::max(longest, end - start);
    }
    EXPECT_LE(longest, 80u);
}

TEST(RegFileFormat, ReadsHandWrittenFilesAndImportDeletions) {
    const RegistryTree tree = Parse("\xEF\xBB\xBFREGEDIT4\r\n"
                                    "; a comment\r\n"
                                    "\r\n"
                                    "[hkcu\\Software\\Tandemark\\Diglux]\r\n"
                                    "  \"Blink\" = \"0\"  \r\n"
                                    "\"Dock\"=DWORD:5\r\n"
                                    "\"Bin\"=hex:01, 02,\\\r\n"
                                    "    03\r\n"
                                    "\"Gone\"=\"x\"\r\n"
                                    "\"Gone\"=-\r\n"
                                    "[HKEY_CURRENT_USER\\Software\\Old\\Sub]\r\n"
                                    "[-HKEY_CURRENT_USER\\Software\\Old]\r\n");
    EXPECT_EQ(*tree.Find(kKey, "blink"), Text("0"));
    EXPECT_EQ(*tree.Find(kKey, "Dock"), Raw(RegistryType::DWord, "\x05\0\0\0"s));
    EXPECT_EQ(*tree.Find(kKey, "Bin"), Raw(RegistryType::Binary, "\x01\x02\x03"));
    EXPECT_EQ(tree.Find(kKey, "Gone"), nullptr);
    EXPECT_FALSE(tree.HasKey("HKEY_CURRENT_USER\\Software\\Old"));
    EXPECT_FALSE(tree.HasKey("HKEY_CURRENT_USER\\Software\\Old\\Sub"));
    EXPECT_TRUE(tree.HasKey("HKEY_CURRENT_USER\\Software\\Tandemark"));
}

TEST(RegFileFormat, ReadsWindowsVersion5ExportsInUtf16) {
    const std::u16string text = u"Windows Registry Editor Version 5.00\r\n\r\n"
                                u"[HKEY_CURRENT_USER\\Software\\Tandemark\\Diglux]\r\n"
                                u"\"Gruß\"=\"ü\"\r\n"
                                u"\"Path\"=hex(2):25,00,54,00,00,00\r\n"
                                u"\"Bin\"=hex:61,00\r\n";
    std::string bytes = "\xFF\xFE"; // UTF-16 LE with its byte-order mark
    for (const char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    const RegistryTree tree = Parse(bytes);
    EXPECT_EQ(*tree.Find(kKey, "Gruß"), Text("ü"));
    EXPECT_EQ(*tree.Find(kKey, "Path"), Raw(RegistryType::ExpandString, "%T\0"s));
    EXPECT_EQ(*tree.Find(kKey, "Bin"), Raw(RegistryType::Binary, "a\0"s)) << "binary stays";
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
        {key + "[HKEY_CURRENT_USER\\A\\\\B]\n", 3,
         "a key name is empty or holds control characters"},
        {"\xFF\xFE"
         "R\0E\0"s +
             "\x00\xD8"s,
         0, "the file is not UTF-16 text"}, // lone surrogate
        {key + "\"v\"=hex:01,02,\\\n", 3, "hex data ends with a comma (cut off?)"},
        {key + "\"v\"=\"ab", 3, "a closing quote is missing"}};
    for (const auto& [text, line, reason] : cases) {
        const RegFileError error = Refusal(text);
        EXPECT_EQ(error.line, line) << text;
        EXPECT_EQ(error.reason, reason) << text;
    }
}

TEST(RegFileFormat, EmptyFileIsAnEmptyStoreAndUnknownRootsAreKept) {
    EXPECT_EQ(Parse(""), RegistryTree());
    EXPECT_EQ(Parse(" \n\n"), RegistryTree());
    const std::string text = "REGEDIT4\n\n[HKEY_SOMEWHERE\\X]\n\"v\"=\"1\"\n";
    EXPECT_EQ(PrintRegFile(Parse(text)), text);
}

} // namespace
} // namespace diglux
