#include "GermanText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace diglux {

std::string ReplUmlaut(const std::string& text) {
    static const std::array<std::pair<std::string_view, std::string_view>, 7> kSpelled{{
        {"\xC3\x84", "Ae"},
        {"\xC3\x96", "Oe"},
        {"\xC3\x9C", "Ue"},
        {"\xC3\xA4", "ae"},
        {"\xC3\xB6", "oe"},
        {"\xC3\xBC", "ue"},
        {"\xC3\x9F", "ss"},
    }};
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& [umlaut, spelled] : kSpelled) {
            if (text.compare(i, umlaut.size(), umlaut) == 0) {
                out += spelled;
                i += umlaut.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            out += text[i++];
        }
    }
    return out;
}

std::string SentenceForLine(const std::string& sentence) {
    std::string text = ReplUmlaut(sentence);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text + "     ";
}

} // namespace diglux
