#include "PointerInput.h"

#include "window/WindowStyle.h"

#include <array>
#include <cmath>
#include <utility>

namespace diglux {
namespace {

constexpr int kCloseHighlighted = 3;
constexpr int kClosePressed = 4;

// The click areas over the three icons, in PicMisc's pixels.
constexpr std::array<Rect, 3> kSwitches{{{0, 0, 24, 27}, {28, 0, 24, 27}, {56, 0, 24, 27}}};
constexpr std::array<Key, 3> kSwitchKeys{Key::F9, Key::S, Key::Z};

} // namespace

PointerInput::PointerInput(PointerParts parts)
    : p_(std::move(parts)), formMove_(p_.window, p_.desktop) {}

bool PointerInput::OverCloseButton(Point client) const {
    // Window units, edges included, as the window's own coordinates are compared.
    const double ux = p_.desktop.UnitsPerPixelX();
    const double uy = p_.desktop.UnitsPerPixelY();
    const Rect& r = p_.face.PicX().Placement();
    const double x = client.x * ux;
    const double y = client.y * uy;
    return r.left * ux <= x && x <= r.Right() * ux && r.top * uy <= y && y <= r.Bottom() * uy;
}

void PointerInput::ShowCloseButton(int cell) {
    Surface& button = p_.face.PicX();
    p_.maps.Draw(MapId::PicBut, button, 0, 0, cell);
    button.SetVisible(true);
}

void PointerInput::MouseMove(int button, Point client) {
    if (closeButtonHeld_) {
        return;
    }
    if (OverCloseButton(client)) {
        if (!p_.face.PicX().Visible()) {
            ShowCloseButton(kCloseHighlighted);
            p_.face.Present(p_.window);
        }
    } else {
        p_.face.PicX().SetVisible(false);
    }
    FormMoveX(button, client.x * p_.desktop.UnitsPerPixelX(),
              client.y * p_.desktop.UnitsPerPixelY(), p_.settings.Dock);
}

void PointerInput::FormMoveX(int button, double x, double y, double dock) {
    formMove_.Move(button, static_cast<int>(std::nearbyint(x)), static_cast<int>(std::nearbyint(y)),
                   static_cast<int>(std::nearbyint(dock)),
                   static_cast<int>(std::nearbyint(p_.desktop.UnitsPerPixelX())),
                   static_cast<int>(std::nearbyint(p_.desktop.UnitsPerPixelY())));
    if (button == kLeftButton) {
        p_.placement.Dragged();
    }
    p_.doEvents();
}

void PointerInput::MouseDown(int button, Point client) {
    if (OverCloseButton(client)) {
        closeButtonHeld_ = p_.face.PicX().Visible();
        ShowCloseButton(kClosePressed);
        p_.doEvents();
        return;
    }
    if (button == kLeftButton || button == kRightButton) {
        p_.alarmStop();
        ClickAction(button);
    }
}

void PointerInput::MouseUp(int, Point client) {
    if (std::exchange(closeButtonHeld_, false) || OverCloseButton(client)) {
        ShowCloseButton(kCloseHighlighted);
        p_.doEvents();
        p_.close();
    }
}

bool PointerInput::PointerOver(const Rect& windowArea) const {
    const Rect window = p_.window.ScreenRect();
    return MouseIsOverObject(p_.desktop, windowArea.Offset(window.left, window.top));
}

void PointerInput::ClickAction(int button) {
    ClockFace& face = p_.face;
    const Rect& misc = face.PicMisc().Placement();
    if (button == kLeftButton) {
        for (std::size_t i = 0; i < kSwitches.size(); ++i) {
            if (PointerOver(kSwitches[i].Offset(misc.left, misc.top))) {
                p_.keyDown(kSwitchKeys[i], 0);
            }
        }
        if (PointerOver(face.PicT2().Placement())) {
            static constexpr std::array<const char*, 4> kInfo{"INFO: AUS", "INFO: K-WOCHE",
                                                              "INFO: ALARM", "INFO: AUTO"};
            Settings& s = p_.settings;
            // A hand-stored value outside 0..3 shows nothing, like 0, so the next is 1.
            const int shown = s.Text_2 >= 0 && s.Text_2 <= 3 ? s.Text_2 : 0;
            s.Text_2 = static_cast<std::int16_t>((shown + 1) % 4);
            p_.text.ShowText1(kInfo[static_cast<std::size_t>(s.Text_2)], Force::Yes);
            p_.text.DrawText2();
        }
        return;
    }
    if (button != kRightButton) {
        return;
    }
    if (PointerOver(face.PicClk().Placement())) {
        p_.keyDown(Key::Space, 0);
    }
    if (PointerOver(face.PicDat().Placement())) {
        p_.keyDown(Key::D, 0);
    }
    if (PointerOver(face.PicT1().Placement())) {
        p_.keyDown(Key::Space, kAlt);
    }
    if (PointerOver(face.PicT2().Placement())) {
        p_.keyDown(Key::Space, kCtrl);
    }
}

} // namespace diglux
