// Writing the REGEDIT4 text of a registry tree.
#include "RegFileFormat.h"

#include "store/RegistryPath.h"

#include <algorithm>

namespace diglux {
namespace {

constexpr std::size_t kHexLineWidth = 76;

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') {
            out += '\\';
        }
        out += c;
    }
    return out + '"';
}

// A text value fits between quotes when it is one line ending in its single zero.
bool PrintableText(const RegistryValue& value) {
    const auto& d = value.data;
    return value.type == RegistryType::String && !d.empty() && d.back() == 0 &&
           std::find(d.begin(), d.end() - 1, 0) == d.end() - 1 &&
           std::find(d.begin(), d.end(), '\r') == d.end() &&
           std::find(d.begin(), d.end(), '\n') == d.end();
}

std::string HexType(RegistryType type) {
    if (type == RegistryType::Binary) {
        return "hex:";
    }
    static const char* kDigits = "0123456789abcdef";
    auto number = static_cast<std::uint32_t>(type);
    std::string digits;
    do {
        digits.insert(digits.begin(), kDigits[number % 16]);
        number /= 16;
    } while (number != 0);
    return "hex(" + digits + "):";
}

// "hex:01,02,..." wrapped like the registry editor does, with "\" at the end of full lines.
void AppendHex(std::string& line, const RegistryValue& value, std::string& out) {
    static const char* kDigits = "0123456789abcdef";
    line += HexType(value.type);
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        line += kDigits[value.data[i] >> 4];
        line += kDigits[value.data[i] & 0x0F];
        if (i + 1 < value.data.size()) {
            line += ',';
            if (line.size() >= kHexLineWidth) {
                out += line + "\\\n";
                line = "  ";
            }
        }
    }
}

void AppendValue(const RegistryTree::Value& value, std::string& out) {
    std::string line = value.name.empty() ? "@=" : Quoted(value.name) + "=";
    const RegistryValue& data = value.data;
    if (PrintableText(data)) {
        line += Quoted(std::string_view(reinterpret_cast<const char*>(data.data.data()),
                                        data.data.size() - 1));
    } else if (data.type == RegistryType::DWord && data.data.size() == 4) {
        char digits[9];
        const std::uint32_t number = data.data[0] | data.data[1] << 8 | data.data[2] << 16 |
                                     static_cast<std::uint32_t>(data.data[3]) << 24;
        for (int i = 7; i >= 0; --i) {
            digits[7 - i] = "0123456789abcdef"[(number >> (4 * i)) & 0x0F];
        }
        digits[8] = '\0';
        line += std::string("dword:") + digits;
    } else {
        AppendHex(line, data, out);
    }
    out += line + "\n";
}

} // namespace

std::string RegFileKeyPath(RegistryRoot root, std::string_view path) {
    std::string full(RootLongName(root));
    if (!path.empty()) {
        full += '\\';
        full += path;
    }
    return full;
}

std::string PrintRegFile(const RegistryTree& tree) {
    std::string out = "REGEDIT4\n";
    for (const RegistryTree::Key* key : tree.Keys()) {
        // A root holds nothing worth a section unless it has values of its own.
        if (key->path.find('\\') == std::string::npos && key->values.empty()) {
            continue;
        }
        out += "\n[" + key->path + "]\n";
        for (const RegistryTree::Value& value : key->values) {
            AppendValue(value, out);
        }
    }
    return out;
}

} // namespace diglux
