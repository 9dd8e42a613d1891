#include "host/linux/FltkTimerService.h"

#include <FL/Fl.H>

#include <algorithm>
#include <cstdint>
#include <optional>

namespace diglux {

namespace {

// Timers due this close together run on the same wake-up: the 500 ms timer, started a few
// microseconds after the 100 ms one, would otherwise wake the loop once more each time.
constexpr auto kCoalesce = std::chrono::milliseconds(2);

} // namespace

struct FltkTimerService::Timer {
    Clock::duration interval{};
    std::function<void()> onTick;
    bool enabled = false;
    Clock::time_point due{};
};

FltkTimerService::FltkTimerService() = default;

FltkTimerService::~FltkTimerService() {
    Fl::remove_timeout(&FltkTimerService::OnTimeout, this);
}

TimerId FltkTimerService::CreateTimer(int intervalMs, std::function<void()> onTick) {
    auto timer = std::make_unique<Timer>();
    timer->interval = std::chrono::milliseconds(intervalMs);
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
    timer->due = Clock::now() + timer->interval;
    Rearm();
}

bool FltkTimerService::IsEnabled(TimerId id) const {
    const Timer* timer = Find(id);
    return timer != nullptr && timer->enabled;
}

bool FltkTimerService::Runs(const Timer& timer) const {
    // An interval of 0 keeps the timer silent, however it is enabled.
    return timer.enabled && timer.interval > Clock::duration::zero();
}

void FltkTimerService::RunDue() {
    // The FLTK timeout needs moving only when a timer ran (enabling one moves it itself).
    if (RunDueTimers()) {
        Rearm();
    }
}

bool FltkTimerService::RunDueTimers() {
    // By index: a handler may create timers, and may let pending events run, which can come
    // back here; a timer's next due time is set before its handler runs, so it runs once.
    bool ran = false;
    for (std::size_t i = 0; i < timers_.size(); ++i) {
        Timer& timer = *timers_[i];
        const Clock::time_point now = Clock::now();
        if (!Runs(timer) || timer.due > now + kCoalesce) {
            continue;
        }
        // Keep the schedule; a timer that fell more than an interval behind starts afresh.
        timer.due += timer.interval;
        if (timer.due <= now) {
            timer.due = now + timer.interval;
        }
        ran = true;
        if (timer.onTick) {
            timer.onTick();
        }
    }
    return ran;
}

int FltkTimerService::MillisecondsToNextDue() const {
    std::optional<Clock::time_point> next;
    for (const auto& timer : timers_) {
        if (Runs(*timer) && (!next || timer->due < *next)) {
            next = timer->due;
        }
    }
    if (!next) {
        return -1;
    }
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*next - Clock::now());
    return static_cast<int>(std::max<std::int64_t>(wait.count(), 0));
}

void FltkTimerService::Rearm() {
    Fl::remove_timeout(&FltkTimerService::OnTimeout, this);
    const int wait = MillisecondsToNextDue();
    if (wait >= 0) {
        Fl::add_timeout(wait / 1000.0, &FltkTimerService::OnTimeout, this);
    }
}

void FltkTimerService::OnTimeout(void* service) {
    // FLTK has used up its timeout: set a new one whether or not a timer was due yet.
    auto* self = static_cast<FltkTimerService*>(service);
    self->RunDueTimers();
    self->Rearm();
}

FltkTimerService::Timer* FltkTimerService::Find(TimerId id) const {
    if (id < 1 || static_cast<std::size_t>(id) > timers_.size()) {
        return nullptr;
    }
    return timers_[static_cast<std::size_t>(id) - 1].get();
}

} // namespace diglux
