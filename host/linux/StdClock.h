// The machine's wall clock in local time (std::chrono and the C library's time zone rules),
// and a plain blocking sleep.
#pragma once

#include "host/Clock.h"

namespace diglux {

class StdClock final : public Clock {
  public:
    LocalDateTime Now() const override;
    double SecondsSinceMidnight() const override;
    void Sleep(int milliseconds) override;
};

} // namespace diglux
