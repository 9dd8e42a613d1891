// Wall-clock time of the machine in local time, and a blocking sleep.
#pragma once

#include "HostTypes.h"

namespace diglux {

class Clock {
  public:
    virtual ~Clock() = default;
    // The local date and time, truncated to the whole second.
    virtual LocalDateTime Now() const = 0;
    // Seconds since local midnight with their fraction (0 <= value < 86400).
    virtual double SecondsSinceMidnight() const = 0;
    // Blocks the calling thread; no events run meanwhile. Negative values sleep 0 ms.
    virtual void Sleep(int milliseconds) = 0;
};

} // namespace diglux
