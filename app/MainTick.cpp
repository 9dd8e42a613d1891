#include "MainTick.h"

#include "model/GermanText.h"
#include "model/TimeText.h"
#include "speech/Sentences.h"
#include "window/WindowStyle.h"

#include <algorithm>
#include <cmath>

namespace diglux {
namespace {

constexpr int kTimer1IntervalMs = 100;

} // namespace

MainTick::MainTick(TickParts parts) : p_(std::move(parts)) {}

void MainTick::Timer1_Timer() {
    const LocalDateTime now = p_.clock.Now();
    p_.placement.ChkOrientation();
    if (halfSecondTicks_ == 0) {
        halfSecondTicks_ = static_cast<int>(std::nearbyint(1000.0 / kTimer1IntervalMs / 2));
    }

    bool redrawTick = false;
    if (now != tickNow_) {
        tickNow_ = now;
        ticksInSecond_ = 0;
        p_.placement.ChkLoadSave();
    } else {
        ++ticksInSecond_;
        if (ticksInSecond_ == 1 || ticksInSecond_ == halfSecondTicks_) {
            p_.time.SetColonPhase(ticksInSecond_ == 1 ? 1 : 0);
            p_.time.DrawTime(now);
            redrawTick = true;
        }
    }

    Surface& closeButton = p_.face.PicX();
    if (closeButton.Visible() && !MouseIsOverObject(p_.desktop, p_.window.ScreenRect())) {
        closeButton.SetVisible(false);
    }
    if (redrawTick) {
        p_.alarm.AlarmTest(tickNow_, p_.entry.AlarmEntryMode());
        OncePerSecond();
    }
}

long MainTick::IdleTicksAhead(double msToNextTick, double intervalMs) const {
    if (halfSecondTicks_ == 0 || p_.face.PicX().Visible() || p_.placement.OrientationChanged()) {
        return 0;
    }
    const long next = ticksInSecond_ + 1;
    const long beforeRedraw = next <= 1                  ? 0
                              : next <= halfSecondTicks_ ? halfSecondTicks_ - next
                                                         : kIdleForever;
    // One reading gives both the second and how much of it is left.
    const double clock = p_.clock.SecondsSinceMidnight();
    const double second = std::floor(clock);
    if (static_cast<int>(second) != SecondsOfDay(tickNow_)) {
        return 0; // the next tick sees a new second
    }
    // The ticks due before the next second (less the margin) cannot see it.
    const double room = (second + 1 - clock) * 1000 - kIdleMarginMs - msToNextTick;
    const long beforeSecond = room <= 0 ? 0 : static_cast<long>(std::ceil(room / intervalMs));
    return std::min(beforeRedraw, beforeSecond);
}

void MainTick::OncePerSecond() {
    const LocalDateTime now = tickNow_;
    if (now.second == lastSecond_) {
        return;
    }
    // Noted before anything is played: a tick run in between does not repeat this second.
    lastSecond_ = now.second;
    const Settings& s = p_.settings;
    if (!p_.alarm.AlarmRinging()) {
        const bool fullHour = now.minute == 0 && now.second == 0;
        if (fullHour && s.SagZeit_Start <= now.hour && now.hour <= s.SagZeit_Ende) {
            HourlySignal(now);
        } else if (now.minute == 0 && now.second > 4 && s.SagZeit) {
            p_.mixer.SetVolOld(); // in case an announcement left the volume raised
        }
    }
    p_.alarm.NewSecond(now);
}

void MainTick::HourlySignal(const LocalDateTime& now) {
    const Settings& s = p_.settings;
    if (s.Signal) {
        p_.doEvents();
        p_.mixer.SetVolNew();
        p_.sound.PlayRes(kSoundResType, "PIEP");
        p_.doEvents();
        if (s.SagZeit) {
            for (int i = 0; i < 2; ++i) {
                p_.sound.PlayRes(kVoiceResType, "~");
                p_.doEvents();
            }
        }
        p_.mixer.SetVolOld();
    }
    if (s.SagZeit) {
        p_.mixer.SetVolNew();
        p_.text.ScrollText1(SentenceForLine(ZeitInWorten(now)), 0.065);
        p_.voice.SagZeitX({.time = now});
        p_.mixer.SetVolOld();
    }
}

} // namespace diglux
