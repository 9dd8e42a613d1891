// Resources compiled into the executable (see cmake/EmbedAssets.cmake): the glyph maps, the
// icons, the word clips and the sounds, found by type and upper-case name.
#pragma once

#include "Resources.h"

#include <span>

namespace diglux {

struct EmbeddedAsset {
    const char* type;
    const char* name;
    const unsigned char* begin;
    const unsigned char* end;
};

// Every asset the build embedded, in a fixed order.
std::span<const EmbeddedAsset> AllEmbeddedAssets();

class EmbeddedResources final : public Resources {
  public:
    std::span<const std::uint8_t> Load(std::string_view type, std::string_view name) const override;
};

} // namespace diglux
