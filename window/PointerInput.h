// The clock window's pointer handling: dragging (through FormMove), the close button that
// shows only under the pointer, a click that silences the alarm, and clicks on display
// elements that act as key commands. The surfaces take no input themselves; the window
// decides by position what was hit.
#pragma once

#include "display/ClockFace.h"
#include "display/GlyphMaps.h"
#include "display/TextDisplay.h"
#include "model/Settings.h"
#include "window/FormMove.h"
#include "window/WindowPlacement.h"

#include <functional>

namespace diglux {

struct PointerParts {
    Settings& settings; // Text.2 changes with a click on the field; Dock is read
    WindowPlacement& placement;
    ClockFace& face;
    const GlyphMaps& maps;
    TextDisplay& text;
    ClockWindowHost& window;
    const Desktop& desktop;
    std::function<void()> doEvents;
    std::function<void(Key key, int shift)> keyDown;
    std::function<void()> alarmStop;
    std::function<void()> close;
};

class PointerInput {
  public:
    explicit PointerInput(PointerParts parts);

    // Pointer events in client pixels; button 0 when none is pressed.
    void MouseMove(int button, Point client);
    void MouseDown(int button, Point client);
    void MouseUp(int button, Point client);
    // Follows the pointer with the window (left button), restarting the position save.
    void FormMoveX(int button, double x, double y, double dock);
    // Turns a click on a display element into its key command.
    void ClickAction(int button);

  private:
    bool OverCloseButton(Point client) const;
    void ShowCloseButton(int cell);
    bool PointerOver(const Rect& windowArea) const;

    PointerParts p_;
    FormMove formMove_;
    // The visible close button took the press: it keeps the pointer until the release, which
    // closes the clock wherever it happens, and the window sees no moves meanwhile.
    bool closeButtonHeld_ = false;
};

} // namespace diglux
