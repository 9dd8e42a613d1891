#include "host/linux/FltkTimerService.h"

#include <FL/Fl.H>

#include <algorithm>
#include <cstdint>

namespace diglux {

namespace {

TimerSchedule::Time SteadyNow() {
    return std::chrono::steady_clock::now().time_since_epoch();
}

// Whole milliseconds from now until then, rounded up so that the wait never ends early.
int MillisecondsUntil(TimerSchedule::Time then) {
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(then - SteadyNow());
    return static_cast<int>(std::clamp<std::int64_t>(wait.count(), 0, INT32_MAX));
}

} // namespace

FltkTimerService::FltkTimerService() : schedule_(&SteadyNow) {}

FltkTimerService::~FltkTimerService() {
    Fl::remove_timeout(&FltkTimerService::OnTimeout, this);
}

TimerId FltkTimerService::CreateTimer(int intervalMs, std::function<void()> onTick) {
    return schedule_.CreateTimer(intervalMs, std::move(onTick));
}

void FltkTimerService::SetEnabled(TimerId id, bool enabled) {
    if (schedule_.IsEnabled(id) != enabled) {
        schedule_.SetEnabled(id, enabled);
        Rearm();
    }
}

bool FltkTimerService::IsEnabled(TimerId id) const {
    return schedule_.IsEnabled(id);
}

void FltkTimerService::SetIdleTicks(TimerId id, IdleTicks idle) {
    schedule_.SetIdleTicks(id, std::move(idle));
}

void FltkTimerService::NoteEvent() {
    schedule_.NoteEvent();
}

void FltkTimerService::RunDue() {
    // The FLTK timeout needs moving only when a tick came due (enabling one moves it itself).
    if (schedule_.RunDue()) {
        Rearm();
    }
}

void FltkTimerService::CatchUp() {
    if (schedule_.CatchUp()) {
        Rearm();
    }
}

int FltkTimerService::PlanSleepMilliseconds() {
    const std::optional<TimerSchedule::Time> wake = schedule_.PlanSleep();
    return wake ? MillisecondsUntil(*wake) : -1;
}

void FltkTimerService::Rearm() {
    Fl::remove_timeout(&FltkTimerService::OnTimeout, this);
    if (const std::optional<TimerSchedule::Time> next = schedule_.NextDue()) {
        Fl::add_timeout(MillisecondsUntil(*next) / 1000.0, &FltkTimerService::OnTimeout, this);
    }
}

void FltkTimerService::OnTimeout(void* service) {
    // FLTK has used up its timeout: set a new one whether or not a tick was due yet.
    auto* self = static_cast<FltkTimerService*>(service);
    self->schedule_.RunDue();
    self->Rearm();
}

} // namespace diglux
