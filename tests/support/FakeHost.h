// A host for the headless core: every platform call the core makes is recorded in one log,
// in order, and the test sets the clock, the desktop, the pointer and the mixer, and fires
// the timers by hand. Resources are the real embedded assets, which a test may override.
#pragma once

#include "host/EmbeddedResources.h"
#include "host/Host.h"
#include "host/linux/PngCodec.h"
#include "model/Calendar.h"
#include "model/TimeText.h"
#include "tests/support/FakeSystem.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace diglux::test {

class FakeClock final : public Clock, Logged {
  public:
    using Logged::Logged;
    LocalDateTime Now() const override { return now; }
    double SecondsSinceMidnight() const override {
        return (now.hour * 60 + now.minute) * 60 + now.second + fraction;
    }
    void Sleep(int ms) override {
        Log("clock.Sleep " + std::to_string(ms));
        onSleep(ms);
    }
    // Moves the clock on by whole seconds, across midnight and month ends.
    void AdvanceSeconds(int seconds) {
        int second = SecondsOfDay(now) + seconds;
        for (; second >= 86400; second -= 86400) {
            if (++now.day > DaysInMonth(now.year, now.month)) {
                now.day = 1;
                if (++now.month > 12) {
                    now.month = 1;
                    ++now.year;
                }
            }
        }
        now.hour = second / 3600;
        now.minute = second / 60 % 60;
        now.second = second % 60;
    }

    LocalDateTime now{2024, 3, 1, 9, 5, 7};
    double fraction = 0.0; // part of the current second, for SecondsSinceMidnight
    std::function<void(int ms)> onSleep = [](int) {};
};

class FakeEventPump final : public EventPump, Logged {
  public:
    using Logged::Logged;
    void DoEvents() override {
        Log("events.DoEvents");
        if (pending) {
            std::exchange(pending, nullptr)();
        }
    }
    std::function<void()> pending; // an event that runs on the next DoEvents
};

class FakeTimers final : public TimerService, Logged {
  public:
    using Logged::Logged;
    TimerId CreateTimer(int, std::function<void()> onTick) override {
        const auto id = static_cast<TimerId>(timers_.size() + 1);
        timers_[id] = {std::move(onTick), false};
        return id;
    }
    void SetEnabled(TimerId id, bool enabled) override {
        if (timers_.contains(id)) {
            timers_[id].enabled = enabled;
            Log("timers.SetEnabled " + std::to_string(id) + (enabled ? " on" : " off"));
        }
    }
    bool IsEnabled(TimerId id) const override {
        return timers_.contains(id) && timers_.at(id).enabled;
    }
    // Runs the timer's handler once if it is enabled; false when it is not.
    bool Fire(TimerId id) { return IsEnabled(id) && (timers_[id].onTick(), true); }

  private:
    struct Timer {
        std::function<void()> onTick;
        bool enabled;
    };
    std::map<TimerId, Timer> timers_;
};

class FakeWindow final : public ClockWindowHost, Logged {
  public:
    using Logged::Logged;
    void SetEventSink(ClockWindowEvents* s) override { sink = s; }
    void AttachFrame(const RgbImage* f) override { frame = f; }
    void Refresh(const Rect& area) override {
        refreshed.push_back(area);
        onRefresh(area);
    }
    void Move(double left, double top) override {
        rect.left = static_cast<int>(left);
        rect.top = static_cast<int>(top);
        Call("Move " + std::to_string(rect.left) + " " + std::to_string(rect.top));
    }
    Rect ScreenRect() const override { return rect; }
    void Show() override { Call("Show", visible = true); }
    void Hide() override { Call("Hide", visible = false); }
    bool IsVisible() const override { return visible; }
    void SetTopmost(bool onTop, bool activate) override {
        Call(std::string("SetTopmost ") + (onTop ? "1 " : "0 ") + (activate ? "1" : "0"));
    }
    void SetTaskbarButton(bool show) override {
        Call(std::string("SetTaskbarButton ") + (show ? "1" : "0"));
    }
    void EnableDropShadow() override { Call("EnableDropShadow"); }
    void Destroy() override { Call("Destroy", visible = false); }

    ClockWindowEvents* sink = nullptr;
    const RgbImage* frame = nullptr;
    std::vector<Rect> refreshed;
    std::function<void(const Rect&)> onRefresh = [](const Rect&) {};
    Rect rect{0, 0, 654, 238};
    bool visible = false;

  private:
    void Call(const std::string& call, bool = false) const { Log("window." + call); }
};

class FakeDesktop final : public Desktop, Logged {
  public:
    using Logged::Logged;
    Rect DesktopRect() const override { return desktop; }
    Rect WorkArea() const override { return workArea; }
    Point PointerPosition() const override { return pointer; }
    int ColorPlanes() const override { return planes; }
    int BitsPerPixel() const override { return bitsPerPixel; }
    double UnitsPerPixelX() const override { return unitsPerPixel; }
    double UnitsPerPixelY() const override { return unitsPerPixel; }
    MessageResult ShowMessageBox(const MessageBoxRequest& request) override {
        boxes.push_back(request);
        Log("desktop.ShowMessageBox " + request.title);
        return answer;
    }
    void Beep() override { Log("desktop.Beep"); }
    // No other program's window exists.
    bool WindowWithCaptionExists(const std::string&) const override { return false; }
    bool CloseWindowWithCaption(const std::string&) override { return false; }

    Rect desktop{0, 0, 1920, 1080};
    Rect workArea{0, 0, 1920, 1040};
    Point pointer{1000, 800};
    int planes = 1;
    int bitsPerPixel = 24;
    double unitsPerPixel = 1.0;
    std::vector<MessageBoxRequest> boxes;
    MessageResult answer = MessageResult::Ok;
};

class FakeResources final : public Resources {
  public:
    std::span<const std::uint8_t> Load(std::string_view type,
                                       std::string_view name) const override {
        const auto it = overrides_.find(Upper(std::string(type) + "/" + std::string(name)));
        return it != overrides_.end() ? std::span<const std::uint8_t>(it->second)
                                      : embedded_.Load(type, name);
    }
    void Override(const std::string& type, const std::string& name,
                  std::vector<std::uint8_t> bytes) {
        overrides_[Upper(type + "/" + name)] = std::move(bytes);
    }
    // "TYPE/NAME" of the resource whose bytes these are, or "memory".
    std::string NameOf(std::span<const std::uint8_t> bytes) const {
        for (const auto& [key, data] : overrides_) {
            if (data.data() == bytes.data()) {
                return key;
            }
        }
        for (const EmbeddedAsset& asset : AllEmbeddedAssets()) {
            if (asset.begin == bytes.data()) {
                return std::string(asset.type) + "/" + asset.name;
            }
        }
        return "memory";
    }

  private:
    EmbeddedResources embedded_;
    std::map<std::string, std::vector<std::uint8_t>> overrides_;
};

class FakeSound final : public SoundDevice, Logged {
  public:
    FakeSound(CallLog& log, const FakeResources& resources) : Logged(log), resources_(resources) {}
    bool PlayWave(std::span<const std::uint8_t> wave, SoundFlags flags) override {
        lastWave.assign(wave.begin(), wave.end());
        Log("sound.PlayWave " + resources_.NameOf(wave) + (flags.async ? " async" : " sync") +
            (flags.noWait ? " nowait" : ""));
        onPlay(wave, flags);
        return true;
    }
    void Stop() override { Log("sound.Stop"); }

    std::vector<std::uint8_t> lastWave; // the bytes of the last PlayWave
    std::function<void(std::span<const std::uint8_t>, SoundFlags)> onPlay = [](auto, auto) {};

  private:
    const FakeResources& resources_;
};

class FakeMixer final : public MixerDevice, Logged {
  public:
    using Control = std::pair<MixerOutput, MixerControl>;
    using Logged::Logged;
    std::optional<ControlBounds> Bounds(MixerOutput output, MixerControl control) const override {
        return Lookup(bounds, Control{output, control});
    }
    std::optional<long> Get(MixerOutput output, MixerControl control) const override {
        return Lookup(values, Control{output, control});
    }
    bool Set(MixerOutput output, MixerControl control, long value) override {
        Log("mixer.Set " + std::to_string(static_cast<int>(output)) + " " +
            std::to_string(static_cast<int>(control)) + " " + std::to_string(value));
        if (!bounds.contains({output, control})) {
            return false;
        }
        values[{output, control}] = value;
        return true;
    }

    std::map<Control, long> values;
    std::map<Control, ControlBounds> bounds;
};

class FakeHost {
  public:
    // The host, with the fake timers fired by hand unless another timer service is given.
    Host Bundle(TimerService* timerService = nullptr) {
        TimerService& t = timerService != nullptr ? *timerService : timers;
        return Host{clock,    events,    t,      window,    desktop, sound, mixer,
                    registry, processes, system, resources, images,  files};
    }
    // The log entries that start with one of the prefixes, in order.
    template <typename... Prefix> CallLog CallsStartingWith(const Prefix&... prefixes) const {
        CallLog calls;
        std::copy_if(log.begin(), log.end(), std::back_inserter(calls),
                     [&](const std::string& e) { return (e.starts_with(prefixes) || ...); });
        return calls;
    }

    CallLog log;
    FakeClock clock{log};
    FakeEventPump events{log};
    FakeTimers timers{log};
    FakeWindow window{log};
    FakeDesktop desktop{log};
    FakeResources resources;
    FakeSound sound{log, resources};
    FakeMixer mixer{log};
    FakeRegistry registry{log};
    FakeProcesses processes{log};
    FakeSystem system;
    LibPngDecoder images;
    FakeFileSystem files{log};
};

} // namespace diglux::test
