// Who the program is: the maker and product that name its settings key, and its release date.
#pragma once

namespace diglux {

inline constexpr const char* kMakerName = "Tandemark";
inline constexpr const char* kProductName = "Diglux";
inline constexpr const char* kReleaseDate = "16.03.2022";

} // namespace diglux
