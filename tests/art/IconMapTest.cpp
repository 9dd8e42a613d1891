// The indicator icons: each lit icon is the same picture as its unlit one, only bright.
#include "ArtSupport.h"

#include <gtest/gtest.h>

namespace diglux::art {
namespace {

long Light(const RgbImage& glyph) {
    long sum = 0;
    for (int y = 0; y < glyph.Height(); ++y) {
        for (int x = 0; x < glyph.Width(); ++x) {
            sum += Grey(glyph.At(x, y));
        }
    }
    return sum;
}

TEST(ArtIconMap, LitIconsAreBrighterVersionsOfTheUnlitOnes) {
    const ArtMap& layout = MapNamed("PicMapOpt");
    const RgbImage map = LoadMap(layout.name);
    ASSERT_FALSE(map.Empty());
    for (int icon = 0; icon < 3; ++icon) {
        SCOPED_TRACE("icon " + std::to_string(icon + 1));
        const RgbImage unlit = Glyph(map, layout, icon * 2 + 1);
        const RgbImage lit = Glyph(map, layout, icon * 2 + 2);
        EXPECT_GT(CountAtLeast(unlit, 12), 40) << "the unlit icon can be seen";
        EXPECT_EQ(CountAtLeast(unlit, 100), 0) << "but it is dark";
        EXPECT_GT(Light(lit), 4 * Light(unlit));
        // Wherever the unlit icon has its body, the lit one shines.
        int shapeless = 0;
        for (int y = 0; y < unlit.Height(); ++y) {
            for (int x = 0; x < unlit.Width(); ++x) {
                const int dim = Grey(unlit.At(x, y));
                shapeless += dim >= 12 && Grey(lit.At(x, y)) < 3 * dim ? 1 : 0;
            }
        }
        EXPECT_EQ(shapeless, 0);
    }
}

} // namespace
} // namespace diglux::art
