#include "NumberText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace diglux {

double LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i++] == '-';
    }
    // Only digits and one point belong to the number; from_chars alone would also take an
    // exponent, "inf" or "nan".
    std::string number;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c)) != 0) {
            number += c;
        } else if (c == '.' && !point) {
            point = true;
            number += c;
        } else {
            break;
        }
    }
    if (number.find_first_of("0123456789") == std::string::npos) {
        return 0.0;
    }
    if (number.front() == '.') {
        number.insert(number.begin(), '0');
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too many digits before the point: huge; only after it: tiny.
        const std::string whole = number.substr(0, number.find('.'));
        const bool huge = whole.find_first_not_of('0') != std::string::npos;
        value = huge ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

double RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double rest = value - floor;
    if (rest > 0.5) {
        return floor + 1.0;
    }
    if (rest < 0.5) {
        return floor;
    }
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

namespace {

template <typename T> T Clamped(double value) {
    const double rounded = RoundHalfEven(value);
    if (std::isnan(rounded)) {
        return 0;
    }
    const double low = std::numeric_limits<T>::min();
    const double high = std::numeric_limits<T>::max();
    return static_cast<T>(std::clamp(rounded, low, high));
}

} // namespace

std::int16_t ToInt16(double value) {
    return Clamped<std::int16_t>(value);
}

std::int32_t ToInt32(double value) {
    return Clamped<std::int32_t>(value);
}

} // namespace diglux
