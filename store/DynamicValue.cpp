#include "DynamicValue.h"

#include "model/NumberText.h"

#include <charconv>

namespace diglux {
namespace {

std::string DoubleText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace

std::optional<std::string> DynamicValue::TextForm() const {
    struct Visitor {
        std::optional<std::string> operator()(std::monostate) const { return std::string(); }
        std::optional<std::string> operator()(std::int16_t v) const { return std::to_string(v); }
        std::optional<std::string> operator()(std::int32_t v) const { return std::to_string(v); }
        std::optional<std::string> operator()(std::uint8_t v) const { return std::to_string(v); }
        std::optional<std::string> operator()(double v) const { return DoubleText(v); }
        std::optional<std::string> operator()(const std::string& v) const { return v; }
        std::optional<std::string> operator()(const Bytes& v) const {
            return std::string(v.begin(), v.end());
        }
        std::optional<std::string> operator()(const Texts&) const { return std::nullopt; }
    };
    return std::visit(Visitor{}, content_);
}

double DynamicValue::NumericValue() const {
    if (const auto* v = If<std::int16_t>()) {
        return *v;
    }
    if (const auto* v = If<std::int32_t>()) {
        return *v;
    }
    if (const auto* v = If<std::uint8_t>()) {
        return *v;
    }
    if (const auto* v = If<double>()) {
        return *v;
    }
    if (const auto* v = If<std::string>()) {
        return LeadingNumber(*v);
    }
    return 0.0;
}

} // namespace diglux
