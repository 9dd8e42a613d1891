// The program's own resources (glyph maps, icons, clips, sounds), by type and name.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace diglux {

class Resources {
  public:
    virtual ~Resources() = default;
    // The bytes of a resource; names are matched in upper case. Empty when missing.
    // The bytes live as long as the program.
    virtual std::span<const std::uint8_t> Load(std::string_view type,
                                               std::string_view name) const = 0;
};

} // namespace diglux
