#include "host/linux/StdClock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace diglux {

StdClock::LocalNow StdClock::ReadLocalNow() const {
    const auto now = std::chrono::system_clock::now();
    const auto wholeSeconds = std::chrono::floor<std::chrono::seconds>(now);
    const std::time_t seconds = std::chrono::system_clock::to_time_t(wholeSeconds);
    if (seconds != cachedSecond_) {
        localtime_r(&seconds, &cachedFields_);
        cachedSecond_ = seconds;
    }
    return {cachedFields_, std::chrono::duration<double>(now - wholeSeconds).count()};
}

LocalDateTime StdClock::Now() const {
    const std::tm t = ReadLocalNow().fields;
    return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

double StdClock::SecondsSinceMidnight() const {
    const LocalNow now = ReadLocalNow();
    // A leap second (tm_sec 60) must not reach 86400.
    const int second = now.fields.tm_sec > 59 ? 59 : now.fields.tm_sec;
    const double value =
        now.fields.tm_hour * 3600.0 + now.fields.tm_min * 60.0 + second + now.fraction;
    return value < 86400.0 ? value : 86399.999;
}

void StdClock::Sleep(int milliseconds) {
    if (milliseconds > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
}

} // namespace diglux
