#include "EmbeddedResources.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace diglux {
namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

} // namespace

std::span<const std::uint8_t> EmbeddedResources::Load(std::string_view type,
                                                      std::string_view name) const {
    for (const EmbeddedAsset& asset : AllEmbeddedAssets()) {
        if (EqualsIgnoringCase(asset.type, type) && EqualsIgnoringCase(asset.name, name)) {
            return {asset.begin, static_cast<std::size_t>(asset.end - asset.begin)};
        }
    }
    return {};
}

} // namespace diglux
