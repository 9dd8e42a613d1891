#include "host/linux/FltkClockView.h"

#include "host/linux/FltkInputMap.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>
#include <utility>

namespace diglux {

namespace {

// Beyond this many separate areas one enclosing rectangle is cheaper to track.
constexpr std::size_t kMaxPendingAreas = 16;

// FLTK converts each image it draws into a buffer of the server's pixel format and keeps that
// buffer for the rest of the run; drawing in bands of at most this many bytes keeps it small
// (64 KB instead of 600 KB for the whole window), while the few areas of a normal second
// still go out in one or two requests.
constexpr int kBandBytes = 64 * 1024;

bool Touch(const Rect& a, const Rect& b) {
    return a.left <= b.Right() && b.left <= a.Right() && a.top <= b.Bottom() && b.top <= a.Bottom();
}

} // namespace

FltkClockView::FltkClockView(int width, int height, const char* caption)
    : Fl_Window(width, height, caption) {
    border(0);
    xclass("Diglux");
    size_range(width, height, width, height);
    callback(&FltkClockView::OnWindowCallback, this);
    end();
}

void FltkClockView::SetFrame(const RgbImage* frame) {
    frame_ = frame;
    pending_.clear();
    redraw();
}

void FltkClockView::PushArea(const Rect& area) {
    const Rect clipped = area.Intersect({0, 0, w(), h()});
    if (clipped.Empty() || !shown()) {
        return;
    }
    Rect merged = clipped;
    std::erase_if(pending_, [&merged](const Rect& r) {
        if (!Touch(r, merged)) {
            return false;
        }
        merged = merged.Union(r);
        return true;
    });
    pending_.push_back(merged);
    if (pending_.size() > kMaxPendingAreas) {
        Rect all;
        for (const Rect& r : pending_) {
            all = all.Union(r);
        }
        pending_.assign(1, all);
    }
    damage(FL_DAMAGE_USER1, merged.left, merged.top, merged.width, merged.height);
}

void FltkClockView::draw() {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    fl_clip_box(0, 0, w(), h(), x, y, width, height);
    const Rect clip{x, y, width, height};
    if ((damage() & ~FL_DAMAGE_USER1) != 0) {
        // Exposed or fully invalidated: the clip covers what the server lost.
        DrawArea(clip);
    } else {
        for (const Rect& area : pending_) {
            DrawArea(area.Intersect(clip));
        }
    }
    pending_.clear();
}

void FltkClockView::DrawArea(const Rect& area) {
    if (area.Empty()) {
        return;
    }
    if (frame_ == nullptr || frame_->Empty()) {
        fl_rectf(area.left, area.top, area.width, area.height, FL_BLACK);
        return;
    }
    const Rect r = area.Intersect(frame_->Bounds());
    if (r.Empty()) {
        return;
    }
    const int bandRows = std::max(1, kBandBytes / (r.width * 4));
    for (int top = r.top; top < r.Bottom(); top += bandRows) {
        const int rows = std::min(bandRows, r.Bottom() - top);
        const std::uint8_t* first = frame_->Row(top) + static_cast<std::size_t>(r.left) * 3;
        fl_draw_image(first, r.left, top, r.width, rows, 3, frame_->Stride());
    }
}

int FltkClockView::handle(int event) {
    switch (event) {
    case FL_FOCUS:
    case FL_UNFOCUS:
    case FL_ENTER:
    case FL_LEAVE:
        return 1; // needed to receive keys and pointer moves
    case FL_KEYDOWN:
    case FL_SHORTCUT:
        return HandleKey(event);
    case FL_PUSH:
    case FL_DRAG:
    case FL_MOVE:
    case FL_RELEASE:
        return HandlePointer(event);
    default:
        return Fl_Window::handle(event);
    }
}

bool FltkClockView::KeyIsForThisWindow(int event) {
    if (event == FL_KEYDOWN) {
        return true;
    }
    // FLTK offers keys that another of our windows left unused to the window under the
    // pointer as well; only keys sent to this window (by another program, for example)
    // count here.
    return fl_xevent != nullptr && shown() && fl_xevent->xany.window == fl_xid(this);
}

int FltkClockView::HandleKey(int event) {
    const auto key = KeyFromFltk(Fl::event_key());
    if (!key || !KeyIsForThisWindow(event)) {
        return 0;
    }
    if (sink_ != nullptr) {
        sink_->OnKeyDown(*key, ShiftMaskFromFltk(Fl::event_state()));
    }
    return 1;
}

int FltkClockView::HandlePointer(int event) {
    const Point client{Fl::event_x(), Fl::event_y()};
    const int shift = ShiftMaskFromFltk(Fl::event_state());
    if (sink_ == nullptr) {
        return 1;
    }
    // Noted before the core hears of it: a click on the close button ends with the window gone.
    const std::optional<Point> previous = std::exchange(lastPointer_, client);
    if (event == FL_PUSH || event == FL_RELEASE) {
        const int button = MouseButtonFromFltk(Fl::event_button());
        if (button == 0) {
            return 1;
        }
        if (event == FL_PUSH) {
            sink_->OnMouseDown(button, shift, client);
            return 1;
        }
        // FLTK holds a pointer motion back and hands it over after the other events read
        // with it, so under load the last step of a drag comes after the release, without
        // the button. Reported in order, as the core expects, the drag ends where the button
        // was let go instead of a step short.
        if (previous && *previous != client) {
            sink_->OnMouseMove(button | HeldButtonsFromFltk(Fl::event_state()), shift, client);
        }
        sink_->OnMouseUp(button, shift, client);
    } else {
        sink_->OnMouseMove(HeldButtonsFromFltk(Fl::event_state()), shift, client);
    }
    return 1;
}

void FltkClockView::OnWindowCallback(Fl_Widget* /*widget*/, void* data) {
    // FLTK also calls a window's callback for an unused Escape key; only the window
    // manager's close request (FL_CLOSE) closes the clock. Escape reaches the key handler.
    auto* view = static_cast<FltkClockView*>(data);
    if (Fl::event() == FL_CLOSE && view->sink_ != nullptr) {
        view->sink_->OnCloseRequest(UnloadReason::UserClose);
    }
}

} // namespace diglux
