// Reading registry files: REGEDIT4 and version 5.00 (UTF-16 LE), line by line.
#include "RegFileFormat.h"

#include "store/RegistryPath.h"
#include "store/Utf16.h"

#include <cctype>
#include <vector>

namespace diglux {
namespace {

constexpr std::string_view kVersion4 = "REGEDIT4";
constexpr std::string_view kVersion5 = "Windows Registry Editor Version 5.00";

struct Line {
    int number;
    std::string text;
};

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameName(text.substr(0, prefix.size()), prefix);
}

// The file's text: UTF-16 LE (with its byte-order mark) turned into UTF-8 in converted, a
// UTF-8 mark dropped, anything else taken as it is (not copied: files can be large).
bool DecodeText(std::string_view bytes, std::string& converted, std::string_view& text) {
    if (bytes.starts_with("\xFF\xFE")) {
        if (!Utf16LeToUtf8(bytes.substr(2), converted)) {
            return false;
        }
        text = converted;
        return true;
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    text = bytes;
    return true;
}

// Hands out the logical lines one at a time, so that reading stops at the first bad line
// instead of splitting a whole large file of garbage first: physical lines joined where a line
// ends in "\" (long hex data), comments and blank lines left out.
class LineReader {
  public:
    explicit LineReader(std::string_view text) : text_(text) {}

    // The next logical line; false after the last.
    bool Next(Line& line) {
        bool continues = false;
        while (start_ <= text_.size()) {
            const std::string_view part = Trim(NextPhysical());
            if (continues) {
                line.text += part;
            } else if (!part.empty() && part.front() != ';') {
                line = {number_, std::string(part)};
            } else {
                continue;
            }
            continues = !line.text.empty() && line.text.back() == '\\' && line.text.front() != '[';
            if (!continues) {
                return true;
            }
            line.text.pop_back();
        }
        return continues; // the file ends inside a continued line
    }

  private:
    std::string_view NextPhysical() {
        auto end = text_.find('\n', start_);
        if (end == std::string_view::npos) {
            end = text_.size();
        }
        std::string_view raw = text_.substr(start_, end - start_);
        start_ = end + 1;
        ++number_;
        if (raw.ends_with('\r')) {
            raw.remove_suffix(1);
        }
        return raw;
    }

    std::string_view text_;
    std::size_t start_ = 0;
    int number_ = 0;
};

class Parser {
  public:
    Parser(bool unicode, RegFileError& error) : unicode_(unicode), error_(error) {}

    bool ParseLine(const Line& line) {
        line_ = line.number;
        std::string_view text = line.text;
        if (text.front() == '[') {
            return ParseKey(text);
        }
        if (key_.empty()) {
            return Fail("a value before the first key");
        }
        std::string name;
        if (text.front() == '@') {
            text.remove_prefix(1);
        } else if (!ReadQuoted(text, name)) {
            return false;
        }
        text = Trim(text);
        if (!text.starts_with('=')) {
            return Fail("\"=\" expected after the value name");
        }
        return ParseData(name, Trim(text.substr(1)));
    }

    RegistryTree& Tree() { return tree_; }

  private:
    bool Fail(std::string reason) {
        error_ = {line_, std::move(reason)};
        return false;
    }

    // "[HKEY_...\path]" or "[-HKEY_...\path]"; a short root name is written out in full.
    bool ParseKey(std::string_view text) {
        if (!text.ends_with(']') || text.size() < 3) {
            return Fail("a key line must end with \"]\"");
        }
        std::string_view inner = text.substr(1, text.size() - 2);
        const bool remove = inner.starts_with('-');
        if (remove) {
            inner.remove_prefix(1);
        }
        std::string path(inner);
        const auto separator = path.find('\\');
        if (const auto root = RootFromName(path.substr(0, separator))) {
            const std::string rest =
                separator == std::string::npos ? "" : path.substr(separator + 1);
            if (!IsValidKeyPath(rest)) {
                return Fail("a key name is empty or holds control characters");
            }
            path = RegFileKeyPath(*root, rest);
        }
        if (remove) {
            tree_.RemoveTree(path);
            key_.clear();
        } else {
            tree_.AddKey(path);
            key_ = path;
        }
        return true;
    }

    // A quoted text with "\" escaping the character after it; text is left after the quote.
    bool ReadQuoted(std::string_view& text, std::string& out) {
        if (!text.starts_with('"')) {
            return Fail("a quoted name or text expected");
        }
        for (std::size_t i = 1; i < text.size(); ++i) {
            if (text[i] == '\\' && i + 1 < text.size()) {
                out += text[++i];
            } else if (text[i] == '"') {
                text.remove_prefix(i + 1);
                return true;
            } else {
                out += text[i];
            }
        }
        return Fail("a closing quote is missing");
    }

    bool ParseData(const std::string& name, std::string_view data) {
        if (data == "-") {
            tree_.Remove(key_, name);
            return true;
        }
        RegistryValue value;
        if (data.starts_with('"')) {
            std::string text;
            if (!ReadQuoted(data, text)) {
                return false;
            }
            if (!Trim(data).empty()) {
                return Fail("text after the closing quote");
            }
            value = {RegistryType::String, {text.begin(), text.end()}};
            value.data.push_back(0);
        } else if (StartsWithNoCase(data, "dword:")) {
            if (!ParseDWord(data.substr(6), value)) {
                return false;
            }
        } else if (StartsWithNoCase(data, "hex")) {
            if (!ParseHex(data.substr(3), value)) {
                return false;
            }
        } else {
            return Fail("unknown kind of value");
        }
        tree_.Set(key_, name, value);
        return true;
    }

    bool ParseDWord(std::string_view digits, RegistryValue& value) {
        digits = Trim(digits);
        std::uint32_t number = 0;
        if (digits.empty() || digits.size() > 8) {
            return Fail("dword: needs 1 to 8 hexadecimal digits");
        }
        for (const char c : digits) {
            const int digit = HexDigit(c);
            if (digit < 0) {
                return Fail("dword: needs 1 to 8 hexadecimal digits");
            }
            number = number << 4 | static_cast<std::uint32_t>(digit);
        }
        value = {RegistryType::DWord,
                 {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                  static_cast<std::uint8_t>(number >> 16),
                  static_cast<std::uint8_t>(number >> 24)}};
        return true;
    }

    // "hex:..." or "hex(N):..." (text after "hex").
    bool ParseHex(std::string_view text, RegistryValue& value) {
        std::uint32_t type = static_cast<std::uint32_t>(RegistryType::Binary);
        if (text.starts_with('(')) {
            const auto close = text.find(')');
            if (close == std::string_view::npos || close == 1 || close > 9) {
                return Fail("hex(...) needs a type number in hexadecimal");
            }
            type = 0;
            for (const char c : text.substr(1, close - 1)) {
                if (HexDigit(c) < 0) {
                    return Fail("hex(...) needs a type number in hexadecimal");
                }
                type = type << 4 | static_cast<std::uint32_t>(HexDigit(c));
            }
            text.remove_prefix(close + 1);
        }
        if (!text.starts_with(':')) {
            return Fail("\":\" expected after hex");
        }
        value.type = static_cast<RegistryType>(type);
        if (!ParseBytes(text.substr(1), value.data)) {
            return false;
        }
        return !unicode_ || !IsTextType(value.type) || ToUtf8(value.data);
    }

    bool ParseBytes(std::string_view text, std::vector<std::uint8_t>& bytes) {
        text = Trim(text);
        while (!text.empty()) {
            const auto comma = text.find(',');
            const std::string_view item = Trim(text.substr(0, comma));
            if (item.size() != 2 || HexDigit(item[0]) < 0 || HexDigit(item[1]) < 0) {
                return Fail("hex data must be two-digit bytes separated by commas");
            }
            bytes.push_back(static_cast<std::uint8_t>(HexDigit(item[0]) * 16 + HexDigit(item[1])));
            if (comma == std::string_view::npos) {
                break;
            }
            text = Trim(text.substr(comma + 1));
            if (text.empty()) {
                return Fail("hex data ends with a comma (cut off?)");
            }
        }
        return true;
    }

    static bool IsTextType(RegistryType type) {
        return type == RegistryType::String || type == RegistryType::ExpandString ||
               type == RegistryType::MultiString;
    }

    // Texts of version 5.00 files are UTF-16 LE, in this program UTF-8.
    bool ToUtf8(std::vector<std::uint8_t>& data) {
        std::string utf8;
        if (!Utf16LeToUtf8(
                std::string_view(reinterpret_cast<const char*>(data.data()), data.size()), utf8)) {
            return Fail("text data is not UTF-16");
        }
        data.assign(utf8.begin(), utf8.end());
        return true;
    }

    static int HexDigit(char c) {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        const int lower = std::tolower(static_cast<unsigned char>(c));
        return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
    }

    bool unicode_;
    RegFileError& error_;
    RegistryTree tree_;
    std::string key_;
    int line_ = 0;
};

} // namespace

std::optional<RegistryTree> ParseRegFile(std::string_view bytes, RegFileError& error) {
    std::string converted;
    std::string_view text;
    if (!DecodeText(bytes, converted, text)) {
        error = {0, "the file is not UTF-16 text"};
        return std::nullopt;
    }
    LineReader lines(text);
    Line line{};
    if (!lines.Next(line)) {
        return RegistryTree(); // an empty file holds no keys
    }
    const bool unicode = line.text == kVersion5;
    if (!unicode && line.text != kVersion4) {
        error = {line.number, "not a registry file (REGEDIT4 expected)"};
        return std::nullopt;
    }
    Parser parser(unicode, error);
    while (lines.Next(line)) {
        if (!parser.ParseLine(line)) {
            return std::nullopt;
        }
    }
    return std::move(parser.Tree());
}

} // namespace diglux
