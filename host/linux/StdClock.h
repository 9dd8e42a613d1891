// The machine's wall clock in local time (std::chrono and the C library's time zone rules),
// and a plain blocking sleep. The local time of the current second is kept, so that the
// several readings a tick makes convert the time only once a second.
#pragma once

#include "host/Clock.h"

#include <ctime>

namespace diglux {

class StdClock final : public Clock {
  public:
    LocalDateTime Now() const override;
    double SecondsSinceMidnight() const override;
    void Sleep(int milliseconds) override;

  private:
    struct LocalNow {
        std::tm fields{};
        double fraction = 0.0; // of the current second
    };
    LocalNow ReadLocalNow() const;

    mutable std::time_t cachedSecond_ = -1;
    mutable std::tm cachedFields_{};
};

} // namespace diglux
