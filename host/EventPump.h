// Lets the events that are waiting run now, in the middle of a handler.
#pragma once

namespace diglux {

class EventPump {
  public:
    virtual ~EventPump() = default;
    // Runs every pending event (timers, input, repaints) once, then returns; never blocks.
    virtual void DoEvents() = 0;
};

} // namespace diglux
