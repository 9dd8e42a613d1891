#include "ClockFace.h"

#include <cstring>

namespace diglux {

ClockFace::ClockFace()
    : form_("Form", {0, 0, kWidth, kHeight}), children_{Surface("PicClk", {18, 16, 620, 125}),
                                                        Surface("PicMisc", {20, 156, 200, 40}),
                                                        Surface("PicT2", {108, 160, 97, 19}),
                                                        Surface("PicDat", {224, 156, 410, 65}),
                                                        Surface("PicT1", {20, 198, 200, 23}),
                                                        Surface("PicX", {616, 1, 37, 15})},
      frame_(kWidth, kHeight) {
    PicX().SetVisible(false); // the close button shows only while the pointer is over it
    form_.MarkDirty(form_.Pixels().Bounds());
}

std::vector<Rect> ClockFace::Compose() {
    std::vector<Rect> areas;
    auto add = [&areas](const Rect& area) {
        if (area.Empty()) {
            return;
        }
        // Overlapping areas are merged so that no pixel is composed twice.
        Rect merged = area;
        for (auto it = areas.begin(); it != areas.end();) {
            if (!it->Intersect(merged).Empty()) {
                merged = merged.Union(*it);
                it = areas.erase(it);
            } else {
                ++it;
            }
        }
        areas.push_back(merged);
    };
    add(form_.TakeDirty());
    for (Surface& child : children_) {
        const Rect& place = child.Placement();
        add(child.TakeDirty().Offset(place.left, place.top));
    }
    for (const Rect& area : areas) {
        ComposeArea(area);
    }
    return areas;
}

void ClockFace::Present(ClockWindowHost& window) {
    for (const Rect& area : Compose()) {
        window.Refresh(area);
    }
}

void ClockFace::ComposeArea(const Rect& area) {
    CopyIntoFrame(form_, area);
    for (const Surface& child : children_) {
        if (child.Visible()) {
            CopyIntoFrame(child, area);
        }
    }
}

void ClockFace::CopyIntoFrame(const Surface& surface, const Rect& area) {
    const Rect& place = surface.Placement();
    const Rect part = area.Intersect(place).Intersect(frame_.Bounds());
    if (part.Empty()) {
        return;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(part.width) * 3;
    for (int y = part.top; y < part.Bottom(); ++y) {
        const std::uint8_t* source = surface.Pixels().Row(y - place.top) +
                                     static_cast<std::size_t>(part.left - place.left) * 3;
        std::memcpy(frame_.Row(y) + static_cast<std::size_t>(part.left) * 3, source, rowBytes);
    }
}

} // namespace diglux
