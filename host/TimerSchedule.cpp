#include "host/TimerSchedule.h"

#include <algorithm>

namespace diglux {

namespace {

// The longest sleep a plan may make, however idle the timers are.
constexpr TimerSchedule::Time kLongestSleep = std::chrono::hours(1);

double Milliseconds(TimerSchedule::Time time) {
    return std::chrono::duration<double, std::milli>(time).count();
}

} // namespace

struct TimerSchedule::Timer {
    Time interval{};
    std::function<void()> onTick;
    IdleTicks idle;
    bool enabled = false;
    bool mustRun = false; // an event came since the last tick that ran
    Time due{};
    Time idleUntil{}; // the last planned sleep: the ticks due before this are idle
};

TimerSchedule::TimerSchedule(std::function<Time()> now) : now_(std::move(now)) {}

TimerSchedule::~TimerSchedule() = default;

TimerId TimerSchedule::CreateTimer(int intervalMs, std::function<void()> onTick) {
    auto timer = std::make_unique<Timer>();
    timer->interval = std::chrono::milliseconds(intervalMs);
    timer->onTick = std::move(onTick);
    timers_.push_back(std::move(timer));
    return static_cast<TimerId>(timers_.size());
}

void TimerSchedule::SetEnabled(TimerId id, bool enabled) {
    Timer* timer = Find(id);
    if (timer == nullptr || timer->enabled == enabled) {
        return;
    }
    timer->enabled = enabled;
    timer->due = now_() + timer->interval;
    timer->idleUntil = timer->due;
}

bool TimerSchedule::IsEnabled(TimerId id) const {
    const Timer* timer = Find(id);
    return timer != nullptr && timer->enabled;
}

void TimerSchedule::SetIdleTicks(TimerId id, IdleTicks idle) {
    if (Timer* timer = Find(id)) {
        timer->idle = std::move(idle);
    }
}

void TimerSchedule::NoteEvent() {
    for (const auto& timer : timers_) {
        timer->mustRun = true;
    }
}

bool TimerSchedule::Runs(const Timer& timer) const {
    // An interval of 0 keeps the timer silent, however it is enabled.
    return timer.enabled && timer.interval > Time::zero();
}

long TimerSchedule::IdleAhead(const Timer& timer, Time untilNext) const {
    if (!skipIdle_ || timer.mustRun || !timer.idle.count) {
        return 0;
    }
    const long most = static_cast<long>(kLongestSleep / timer.interval);
    const long idle = timer.idle.count(Milliseconds(untilNext), Milliseconds(timer.interval));
    return std::clamp(idle, 0L, most);
}

std::optional<TimerSchedule::Time> TimerSchedule::PlanSleep() {
    const Time now = now_();
    plannedWake_.reset();
    for (const auto& timer : timers_) {
        if (!Runs(*timer)) {
            continue;
        }
        // An overdue tick is RunDue's to take: only ticks still to come can be slept through.
        const long idle = timer->due > now ? IdleAhead(*timer, timer->due - now) : 0;
        timer->idleUntil = timer->due + idle * timer->interval;
        plannedWake_ = std::min(plannedWake_.value_or(timer->idleUntil), timer->idleUntil);
    }
    return plannedWake_;
}

bool TimerSchedule::CatchUp() {
    if (!plannedWake_) {
        return false;
    }
    // Ticks due at the planned wake itself are left to RunDue, which asks afresh in their
    // order: a tick run there may change what the ones after it would do.
    const Time until = std::min(now_(), *plannedWake_);
    plannedWake_.reset();
    bool counted = false;
    for (const auto& timer : timers_) {
        const Time end = std::min(until, timer->idleUntil);
        if (!Runs(*timer) || timer->due >= end) {
            continue;
        }
        const long ticks =
            static_cast<long>((end - timer->due + timer->interval - Time(1)) / timer->interval);
        timer->due += ticks * timer->interval;
        counted = true;
        if (timer->idle.skipped) {
            timer->idle.skipped(ticks);
        }
    }
    return counted;
}

bool TimerSchedule::RunDue() {
    // By index: a handler may create timers, and may let pending events run, which can come
    // back here; a timer's next due time is set before its handler runs, so it runs once.
    bool due = false;
    for (std::size_t i = 0; i < timers_.size(); ++i) {
        Timer& timer = *timers_[i];
        const Time now = now_();
        if (!Runs(timer) || timer.due > now) {
            continue;
        }
        due = true;
        const bool idle = IdleAhead(timer, Time::zero()) > 0; // it would run now, if late
        timer.due += timer.interval;
        if (timer.due <= now) {
            timer.due = now + timer.interval;
        }
        if (idle) {
            if (timer.idle.skipped) {
                timer.idle.skipped(1);
            }
            continue;
        }
        timer.mustRun = false;
        if (timer.onTick) {
            timer.onTick();
        }
    }
    return due;
}

std::optional<TimerSchedule::Time> TimerSchedule::NextDue() const {
    std::optional<Time> next;
    for (const auto& timer : timers_) {
        if (Runs(*timer)) {
            next = std::min(next.value_or(timer->due), timer->due);
        }
    }
    return next;
}

TimerSchedule::Timer* TimerSchedule::Find(TimerId id) const {
    if (id < 1 || static_cast<std::size_t>(id) > timers_.size()) {
        return nullptr;
    }
    return timers_[static_cast<std::size_t>(id) - 1].get();
}

} // namespace diglux
