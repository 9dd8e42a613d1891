#include "WhenText.h"

#include "app/TimeText.h"
#include "speech/Sentences.h"

#include <cstdio>
#include <sstream>
#include <vector>

namespace diglux {
namespace {

int DaysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// Splits "01.03.2022" at the separator into numbers; empty when any part is no number.
std::vector<int> Numbers(const std::string& text, char separator) {
    std::vector<int> numbers;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator)) {
        if (part.empty() || part.size() > 4 ||
            part.find_first_not_of("0123456789") != std::string::npos) {
            return {};
        }
        numbers.push_back(std::stoi(part));
    }
    return numbers;
}

bool ReadDate(const std::string& text, LocalDateTime& when) {
    std::vector<int> n = Numbers(text, '.');
    if (n.size() == 3) {
        when.day = n[0];
        when.month = n[1];
        when.year = n[2];
    } else if (n = Numbers(text, '-'); n.size() == 3) {
        when.year = n[0];
        when.month = n[1];
        when.day = n[2];
    } else {
        return false;
    }
    return when.year >= 100 && when.year <= 9999 && when.month >= 1 && when.month <= 12 &&
           when.day >= 1 && when.day <= DaysInMonth(when.year, when.month);
}

bool ReadTime(const std::string& text, LocalDateTime& when) {
    const auto seconds = ParseTimeOfDay(text);
    if (!seconds) {
        return false;
    }
    when.hour = *seconds / 3600;
    when.minute = *seconds / 60 % 60;
    when.second = *seconds % 60;
    return true;
}

} // namespace

std::optional<LocalDateTime> ReadWhenText(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> parts;
    for (std::string part; in >> part;) {
        parts.push_back(part);
    }
    LocalDateTime when = kZeroDate;
    bool ok = false;
    if (parts.size() == 1) {
        ok = parts[0].find(':') != std::string::npos ? ReadTime(parts[0], when)
                                                     : ReadDate(parts[0], when);
    } else if (parts.size() == 2) {
        ok = ReadDate(parts[0], when) && ReadTime(parts[1], when);
    }
    return ok ? std::optional<LocalDateTime>(when) : std::nullopt;
}

std::string FormatShortDate(const LocalDateTime& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", date.day % 100, date.month % 100,
                  date.year % 10000);
    return text;
}

} // namespace diglux
