#include "AnnouncementText.h"

#include <array>
#include <utility>

namespace diglux {
namespace {

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::string AnnouncementText(const std::string& dateSentence, const std::string& timeSentence,
                             bool alarm) {
    std::string text = dateSentence;
    if (!timeSentence.empty()) {
        if (!dateSentence.empty()) {
            text += " ~ ~ ";
        }
        text += timeSentence;
    }
    static const std::array<std::pair<const char*, const char*>, 7> kRewrites{{
        {",", ""},
        {".", " "},
        {"-", " "},
        {"\xC3\xA4", "ae"},
        {"\xC3\xB6", "oe"},
        {"\xC3\xBC", "ue"},
        {"\xC3\x9F", "ss"},
    }};
    for (const auto& [from, to] : kRewrites) {
        ReplaceAll(text, from, to);
    }
    return alarm ? kAlarmPrefix + text : text;
}

std::vector<std::string> AnnouncementWords(const std::string& text) {
    std::vector<std::string> words;
    std::size_t start = 0;
    for (std::size_t blank = text.find(' '); blank != std::string::npos;
         blank = text.find(' ', start)) {
        std::string word = Trimmed(text.substr(start, blank - start));
        if (!word.empty()) {
            words.push_back(std::move(word));
        }
        start = blank + 1;
    }
    return words;
}

} // namespace diglux
