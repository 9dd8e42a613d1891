// Lets pending FLTK events (timeouts, X input, repaints) run in the middle of a handler.
#pragma once

#include "host/EventPump.h"

namespace diglux {

class FltkEventPump final : public EventPump {
  public:
    void DoEvents() override;
};

} // namespace diglux
