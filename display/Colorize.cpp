#include "Colorize.h"

#include <algorithm>
#include <array>

namespace diglux {
namespace {

// Finds a colour's palette index through a small hash table (runs of equal pixels hit the
// last colour at once), adding colours until the palette is full.
class PaletteBuilder {
  public:
    explicit PaletteBuilder(std::vector<Rgb>& palette) : palette_(palette) {}

    std::optional<std::uint8_t> IndexOf(Rgb color) {
        if (last_ && color == palette_[*last_]) {
            return last_;
        }
        std::size_t slot = Hash(color);
        while (slots_[slot] != 0) {
            const auto index = static_cast<std::uint8_t>(slots_[slot] - 1);
            if (palette_[index] == color) {
                return last_ = index;
            }
            slot = (slot + 1) % kSlots;
        }
        if (palette_.size() == 256) {
            return std::nullopt;
        }
        palette_.push_back(color);
        slots_[slot] = static_cast<std::uint16_t>(palette_.size());
        return last_ = static_cast<std::uint8_t>(palette_.size() - 1);
    }

  private:
    static constexpr std::size_t kSlots = 1024; // at most a quarter full
    static std::size_t Hash(Rgb c) { return (c.r * 97u + c.g * 31u + c.b * 7u) % kSlots; }

    std::vector<Rgb>& palette_;
    std::array<std::uint16_t, kSlots> slots_{};
    std::optional<std::uint8_t> last_;
};

using LevelTable = std::array<std::uint8_t, 256>;

std::uint64_t NextColorsVersion() {
    static std::uint64_t version = 0;
    return ++version;
}

LevelTable MakeTable(int color) {
    LevelTable table{};
    for (int level = 0; level < 256; ++level) {
        table[static_cast<std::size_t>(level)] = TintLevel(color, level);
    }
    return table;
}

} // namespace

std::optional<PalettePicture> ToPalette(const RgbImage& picture) {
    PalettePicture result{picture.Width(), picture.Height(), {}, {}};
    result.indices.reserve(picture.ByteSize() / 3);
    PaletteBuilder builder(result.palette);
    const std::uint8_t* in = picture.Data();
    for (std::size_t i = 0; i < picture.ByteSize(); i += 3) {
        const auto index = builder.IndexOf({in[i], in[i + 1], in[i + 2]});
        if (!index) {
            return std::nullopt;
        }
        result.indices.push_back(*index);
    }
    return result;
}

PaletteColors TintPalette(const std::vector<Rgb>& palette, Rgb color) {
    const LevelTable red = MakeTable(color.r);
    const LevelTable green = MakeTable(color.g);
    const LevelTable blue = MakeTable(color.b);
    PaletteColors tinted{{}, NextColorsVersion()};
    for (std::size_t i = 0; i < palette.size() && i < tinted.table.size(); ++i) {
        const Rgb c = palette[i];
        tinted.table[i] = {red[c.r], green[c.g], blue[c.b], 0};
    }
    return tinted;
}

PaletteColors PlainPalette(const std::vector<Rgb>& palette) {
    PaletteColors colors{{}, NextColorsVersion()};
    for (std::size_t i = 0; i < palette.size() && i < colors.table.size(); ++i) {
        colors.table[i] = {palette[i].r, palette[i].g, palette[i].b, 0};
    }
    return colors;
}

} // namespace diglux
