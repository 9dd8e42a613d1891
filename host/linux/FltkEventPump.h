// Lets pending FLTK events (timeouts, X input, repaints) run in the middle of a handler.
// Looking for input costs system calls, and a handler run from the idle loop starts right
// after the loop has looked: within kRecheckMs of the loop's look only the drawing is pushed.
#pragma once

#include "host/EventPump.h"

namespace diglux {

class FltkEventPump final : public EventPump {
  public:
    void DoEvents() override;
    // The idle loop has just read what input there was.
    static void InputChecked();

    // Input that arrives this soon after the loop's look waits for a later one.
    static constexpr int kRecheckMs = 10;
};

} // namespace diglux
