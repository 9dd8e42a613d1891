// Composing the window: the surfaces at their places in z-order, overlapping changes pushed
// once, and the close button that shows only while visible.
#include "display/ClockFace.h"

#include <gtest/gtest.h>

namespace diglux {
namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};

TEST(ClockFace, ChildrenLieAtTheirPlacesInZOrderAndOverlapsArePushedOnce) {
    ClockFace face;
    face.Compose();
    face.PicMisc().SetBackColor(kRed);
    face.PicT2().SetBackColor(kBlue); // lies on PicMisc
    EXPECT_EQ(face.Compose(), (std::vector<Rect>{{20, 156, 200, 40}}));
    const std::vector<std::pair<Point, Rgb>> pixels{
        {{20, 156}, kRed}, {{108, 160}, kBlue}, {{107, 160}, kRed}, {{204, 178}, kBlue},
        {{205, 178}, kRed}};
    for (const auto& [p, colour] : pixels) {
        EXPECT_EQ(face.Frame().At(p.x, p.y), colour) << p.x << "," << p.y;
    }
}

TEST(ClockFace, HiddenCloseButtonShowsWhatLiesBelow) {
    ClockFace face;
    face.Form().SetBackColor(kBlue);
    face.PicX().SetBackColor(kRed);
    face.Compose();
    EXPECT_EQ(face.Frame().At(620, 5), kBlue);
    face.PicX().SetVisible(true); // what it then shows is checked with the pointer's tests
    EXPECT_EQ(face.Compose(), (std::vector<Rect>{{616, 1, 37, 15}}));
    face.PicX().SetVisible(false);
    face.Compose();
    EXPECT_EQ(face.Frame().At(620, 5), kBlue);
}

} // namespace
} // namespace diglux
