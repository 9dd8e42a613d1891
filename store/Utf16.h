// UTF-16 little-endian to UTF-8, for registry files exported by Windows (version 5.00).
#pragma once

#include <string>
#include <string_view>

namespace diglux {

// False when the bytes are not UTF-16 LE (odd length, a lone surrogate).
bool Utf16LeToUtf8(std::string_view bytes, std::string& utf8);

} // namespace diglux
