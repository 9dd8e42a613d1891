#include "TimeText.h"

namespace diglux {

int SecondsOfDay(const LocalDateTime& time) {
    return (time.hour * 60 + time.minute) * 60 + time.second;
}

std::optional<int> ParseTimeOfDay(const std::string& text) {
    int parts[3] = {0, 0, 0};
    int count = 0;
    int digits = 0;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            if (++digits > 2) {
                return std::nullopt;
            }
            parts[count] = parts[count] * 10 + (c - '0');
        } else if (c == ':' && digits > 0 && count < 2) {
            ++count;
            digits = 0;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || count < 1 || parts[0] > 23 || parts[1] > 59 || parts[2] > 59) {
        return std::nullopt;
    }
    return (parts[0] * 60 + parts[1]) * 60 + parts[2];
}

} // namespace diglux
