#include "AutostartEntry.h"

#include <algorithm>
#include <cctype>

namespace diglux {
namespace {

std::string Escaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case ' ':
            out += i == 0 ? "\\s" : " ";
            break; // a leading blank would be dropped
        default:
            out += c;
        }
    }
    return out;
}

std::string Unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        switch (text[++i]) {
        case 's':
            out += ' ';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        default:
            out += text[i];
        }
    }
    return out;
}

std::string_view TrimSpace(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

} // namespace

std::string AutostartFileName(std::string_view valueName) {
    const bool usable = !valueName.empty() && valueName != "." && valueName != ".." &&
                        std::none_of(valueName.begin(), valueName.end(),
                                     [](unsigned char c) { return c == '/' || c < 0x20; });
    if (!usable) {
        return {};
    }
    std::string name(valueName);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name + ".desktop";
}

std::optional<std::string> AutostartCommand(std::string_view entryText) {
    std::optional<std::string> command;
    bool inEntry = false;
    std::size_t start = 0;
    while (start < entryText.size()) {
        auto end = entryText.find('\n', start);
        end = end == std::string_view::npos ? entryText.size() : end;
        const std::string_view line = TrimSpace(entryText.substr(start, end - start));
        start = end + 1;
        if (line.starts_with('[')) {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        const auto equals = line.find('=');
        if (!inEntry || equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = TrimSpace(line.substr(0, equals));
        const std::string_view value = TrimSpace(line.substr(equals + 1));
        if ((key == "Hidden" && value == "true") ||
            (key == "X-GNOME-Autostart-enabled" && value == "false")) {
            return std::nullopt;
        }
        if (key == "Exec") {
            command = Unescaped(value);
        }
    }
    return command;
}

std::string AutostartEntryText(std::string_view name, std::string_view command) {
    return "[Desktop Entry]\nType=Application\nName=" + Escaped(name) +
           "\nExec=" + Escaped(command) + "\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";
}

} // namespace diglux
