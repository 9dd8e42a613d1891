#include "host/linux/FltkTimerService.h"

#include <FL/Fl.H>

namespace diglux {

struct FltkTimerService::Timer {
    double intervalSeconds = 0.0;
    std::function<void()> onTick;
    bool enabled = false;
};

FltkTimerService::FltkTimerService() = default;

FltkTimerService::~FltkTimerService() {
    for (const auto& timer : timers_) {
        Fl::remove_timeout(&FltkTimerService::OnTimeout, timer.get());
    }
}

TimerId FltkTimerService::CreateTimer(int intervalMs, std::function<void()> onTick) {
    auto timer = std::make_unique<Timer>();
    timer->intervalSeconds = intervalMs / 1000.0;
    timer->onTick = std::move(onTick);
    timers_.push_back(std::move(timer));
    return static_cast<TimerId>(timers_.size());
}

void FltkTimerService::SetEnabled(TimerId id, bool enabled) {
    Timer* timer = Find(id);
    if (timer == nullptr || timer->enabled == enabled) {
        return;
    }
    timer->enabled = enabled;
    if (!enabled) {
        Fl::remove_timeout(&FltkTimerService::OnTimeout, timer);
    } else if (timer->intervalSeconds > 0.0) {
        // An interval of 0 keeps the timer silent, however it is enabled.
        Fl::add_timeout(timer->intervalSeconds, &FltkTimerService::OnTimeout, timer);
    }
}

bool FltkTimerService::IsEnabled(TimerId id) const {
    const Timer* timer = Find(id);
    return timer != nullptr && timer->enabled;
}

void FltkTimerService::OnTimeout(void* data) {
    auto* timer = static_cast<Timer*>(data);
    // Re-arm before the handler runs: the handler may disable (or restart) its own timer,
    // and repeat_timeout keeps the ticks on the original schedule.
    Fl::repeat_timeout(timer->intervalSeconds, &FltkTimerService::OnTimeout, timer);
    if (timer->onTick) {
        timer->onTick();
    }
}

FltkTimerService::Timer* FltkTimerService::Find(TimerId id) const {
    if (id < 1 || static_cast<std::size_t>(id) > timers_.size()) {
        return nullptr;
    }
    return timers_[static_cast<std::size_t>(id) - 1].get();
}

} // namespace diglux
