// The clock window's pixels: the window's own canvas (background and frame) and the six
// child surfaces at their fixed places, composed in their z-order into one frame. Only the
// areas that changed since the last composition are composed and pushed to the window.
#pragma once

#include "display/Surface.h"
#include "host/ClockWindowHost.h"

#include <array>
#include <vector>

namespace diglux {

class ClockFace {
  public:
    static constexpr int kWidth = 654;
    static constexpr int kHeight = 238;

    ClockFace();

    Surface& Form() { return form_; } // the window's own canvas
    Surface& PicClk() { return children_[0]; }
    Surface& PicMisc() { return children_[1]; }
    Surface& PicT2() { return children_[2]; }
    Surface& PicDat() { return children_[3]; }
    Surface& PicT1() { return children_[4]; }
    Surface& PicX() { return children_[5]; }

    // The composed window image; valid for the face's lifetime.
    const RgbImage& Frame() const { return frame_; }
    // Composes every changed area into the frame and returns those areas (window pixels).
    std::vector<Rect> Compose();
    // Composes and pushes the changed areas to the window.
    void Present(ClockWindowHost& window);

  private:
    void ComposeArea(const Rect& area);
    void CopyIntoFrame(const Surface& surface, const Rect& area);

    Surface form_;
    std::array<Surface, 6> children_; // bottom to top
    RgbImage frame_;
};

} // namespace diglux
