// The dynamically typed value the registry layer hands out and takes in: empty, a 16-bit or
// 32-bit integer, a byte, a floating-point number, a text, a byte array or an array of texts.
// Texts are UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace diglux {

class DynamicValue {
  public:
    using Bytes = std::vector<std::uint8_t>;
    using Texts = std::vector<std::string>;
    using Content = std::variant<std::monostate, std::int16_t, std::int32_t, std::uint8_t, double,
                                 std::string, Bytes, Texts>;

    DynamicValue() = default;
    DynamicValue(std::int16_t v) : content_(v) {}
    DynamicValue(std::int32_t v) : content_(v) {}
    DynamicValue(std::uint8_t v) : content_(v) {}
    DynamicValue(double v) : content_(v) {}
    DynamicValue(std::string v) : content_(std::move(v)) {}
    DynamicValue(const char* v) : content_(std::string(v)) {}
    DynamicValue(Bytes v) : content_(std::move(v)) {}
    DynamicValue(Texts v) : content_(std::move(v)) {}

    bool IsEmpty() const { return std::holds_alternative<std::monostate>(content_); }
    const Content& Get() const { return content_; }
    template <typename T> const T* If() const { return std::get_if<T>(&content_); }

    // The value as text: numbers in decimal, a byte array as its bytes; nothing for an array of
    // texts, which has no text form. Empty gives "".
    std::optional<std::string> TextForm() const;
    // The value as a number: integers as they are, a text by its leading decimal number;
    // 0 for everything else.
    double NumericValue() const;

    bool operator==(const DynamicValue&) const = default;

  private:
    Content content_;
};

} // namespace diglux
