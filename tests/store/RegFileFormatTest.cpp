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
    const std::string text = "Windows Registry Editor Version 5.00\r\n\r\n"
                             "[HKEY_CURRENT_USER\\Software\\Tandemark\\Diglux]\r\n"
                             "\"Alarm.Time\"=\"07:30\"\r\n"
                             "\"Gru\xC3\x9F\"=\"\xC3\xBC\"\r\n"
                             "\"Path\"=hex(2):25,00,54,00,00,00\r\n"
                             "\"List\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
                             "\"Bin\"=hex:61,00\r\n";
    // The same text in UTF-16 LE with its byte-order mark; ß and ü are single code units.
    std::string bytes = "\xFF\xFE";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == 0xC3) {
            bytes +=
                static_cast<char>(0x40 + (static_cast<unsigned char>(text[++i]) & 0x3F) + 0x80);
            bytes += '\0';
        } else {
            bytes += static_cast<char>(c);
            bytes += '\0';
        }
    }
    const RegistryTree tree = Parse(bytes);
    EXPECT_EQ(*tree.Find(kKey, "Alarm.Time"), Text("07:30"));
    EXPECT_EQ(*tree.Find(kKey, "Gru\xC3\x9F"), Text("\xC3\xBC"));
    EXPECT_EQ(*tree.Find(kKey, "Path"), Raw(RegistryType::ExpandString, "%T\0"s));
    EXPECT_EQ(*tree.Find(kKey, "List"), Raw(RegistryType::MultiString, "a\0b\0\0"s));
    EXPECT_EQ(*tree.Find(kKey, "Bin"), Raw(RegistryType::Binary, "a\0"s)) << "binary stays";
}

TEST(RegFileFormat, RefusesBrokenFilesWithTheLine) {
    EXPECT_EQ(Refusal("REGEDIT5\n").line, 1);
    EXPECT_EQ(Refusal("\n\n[HKEY_CURRENT_USER\\X]\n").line, 3);
    EXPECT_EQ(Refusal("REGEDIT4\n\"v\"=\"1\"\n").reason, "a value before the first key");
    const std::string key = "REGEDIT4\n[HKEY_CURRENT_USER\\X]\n";
    EXPECT_EQ(Refusal(key + "\"v\"=\"unterminated\n").line, 3);
    EXPECT_EQ(Refusal(key + "\"v\"=\"a\" junk\n").line, 3);
    EXPECT_EQ(Refusal(key + "\"v\"=dword:123456789\n").line, 3);
    EXPECT_EQ(Refusal(key + "\"v\"=dword:xyz\n").line, 3);
    EXPECT_EQ(Refusal(key + "\"v\"=hex:1,02\n").line, 3);
    EXPECT_EQ(Refusal(key + "\"v\"=hex(zz):01\n").line, 3);
    EXPECT_EQ(Refusal(key + "\"v\"=word:1\n").line, 3);
    EXPECT_EQ(Refusal(key + "\"v\" \"1\"\n").line, 3);
    EXPECT_EQ(Refusal(key + "[HKEY_CURRENT_USER\\X\n").line, 3);
    EXPECT_EQ(Refusal(key + "[HKEY_CURRENT_USER\\A\\\\B]\n").line, 3);
    EXPECT_EQ(Refusal("\xFF\xFE"
                      "R\0E\0"s +
                      "\x00\xD8"s)
                  .line,
              0)
        << "lone surrogate";
    // A file cut off in the middle of its last line is refused, not half read.
    EXPECT_EQ(Refusal(key + "\"v\"=hex:01,02,\\\n").line, 3);
    EXPECT_EQ(Refusal(key + "\"v\"=\"ab").line, 3);
}

TEST(RegFileFormat, EmptyFileIsAnEmptyStoreAndUnknownRootsAreKept) {
    EXPECT_EQ(Parse(""), RegistryTree());
    EXPECT_EQ(Parse(" \n\n"), RegistryTree());
    const std::string text = "REGEDIT4\n\n[HKEY_SOMEWHERE\\X]\n\"v\"=\"1\"\n";
    EXPECT_EQ(PrintRegFile(Parse(text)), text);
}

} // namespace
} // namespace diglux
