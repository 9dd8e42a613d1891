#include "display/ClockFace.h"

#include <gtest/gtest.h>

namespace diglux {
namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};

class ClockFaceTest : public ::testing::Test {
  protected:
    void SetUp() override { face.Compose(); }
    ClockFace face;
};

TEST_F(ClockFaceTest, ChildrenLieAtTheirPlacesInZOrder) {
    face.PicMisc().SetBackColor(kRed);
    face.PicT2().SetBackColor(kBlue);
    face.Compose();
    const RgbImage& frame = face.Frame();
    EXPECT_EQ(frame.At(20, 156), kRed);   // PicMisc's corner
    EXPECT_EQ(frame.At(108, 160), kBlue); // PicT2 covers PicMisc
    EXPECT_EQ(frame.At(107, 160), kRed);
    EXPECT_EQ(frame.At(204, 178), kBlue);
    EXPECT_EQ(frame.At(205, 178), kRed);
}

TEST_F(ClockFaceTest, OverlappingChangesOfTwoSurfacesArePushedOnce) {
    face.PicMisc().FillRect({0, 0, 200, 40}, kRed);
    face.PicT2().FillRect({0, 0, 10, 10}, kBlue);
    EXPECT_EQ(face.Compose(), (std::vector<Rect>{{20, 156, 200, 40}}));
}

TEST_F(ClockFaceTest, HiddenCloseButtonShowsWhatLiesBelow) {
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
