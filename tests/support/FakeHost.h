// A host for the headless core: every platform call the core makes is recorded in one log,
// in order, and the test sets the clock, the desktop, the pointer and the mixer, and fires
// the timers by hand. Resources are the real embedded assets, which a test may override.
#pragma once

#include "host/EmbeddedResources.h"
#include "host/Host.h"
#include "host/linux/PngCodec.h"
#include "store/RegFileFormat.h"
#include "store/RegistryTree.h"

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace diglux::test {

using CallLog = std::vector<std::string>;

// The value a map holds for a key, or nothing.
template <typename Map, typename Key> auto Lookup(const Map& map, const Key& key) {
    const auto it = map.find(key);
    return it == map.end() ? std::nullopt : std::optional(it->second);
}

// What every fake that reports its calls shares: the one log of the host.
class Logged {
  public:
    explicit Logged(CallLog& log) : log_(log) {}

  protected:
    void Log(std::string entry) const { log_.push_back(std::move(entry)); }

  private:
    CallLog& log_;
};

class FakeClock final : public Clock, Logged {
  public:
    using Logged::Logged;
    LocalDateTime Now() const override { return now; }
    double SecondsSinceMidnight() const override {
        return (now.hour * 60 + now.minute) * 60 + now.second + fraction;
    }
    void Sleep(int ms) override { Log("clock.Sleep " + std::to_string(ms)); }
    // Moves the clock on by whole seconds, across midnight and month ends.
    void AdvanceSeconds(int seconds);

    LocalDateTime now{2024, 3, 1, 9, 5, 7};
    double fraction = 0.0; // part of the current second, for SecondsSinceMidnight
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
        timers_.push_back({std::move(onTick), false});
        return static_cast<TimerId>(timers_.size());
    }
    void SetEnabled(TimerId id, bool enabled) override;
    bool IsEnabled(TimerId id) const override { return Known(id) && At(id).enabled; }
    // Runs the timer's handler once if it is enabled; false when it is not.
    bool Fire(TimerId id);

  private:
    struct Timer {
        std::function<void()> onTick;
        bool enabled;
    };
    bool Known(TimerId id) const {
        return id >= 1 && static_cast<std::size_t>(id) <= timers_.size();
    }
    const Timer& At(TimerId id) const { return timers_.at(static_cast<std::size_t>(id - 1)); }

    std::vector<Timer> timers_;
};

class FakeWindow final : public ClockWindowHost, Logged {
  public:
    using Logged::Logged;
    void SetEventSink(ClockWindowEvents* s) override { sink = s; }
    void AttachFrame(const RgbImage* f) override { frame = f; }
    void Refresh(const Rect& area) override { refreshed.push_back(area); }
    void Move(double left, double top) override;
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
    std::span<const std::uint8_t> Load(std::string_view type, std::string_view name) const override;
    void Override(const std::string& type, const std::string& name,
                  std::vector<std::uint8_t> bytes);
    // "TYPE/NAME" of the resource whose bytes these are, or "memory".
    std::string NameOf(std::span<const std::uint8_t> bytes) const;

  private:
    EmbeddedResources embedded_;
    std::map<std::string, std::vector<std::uint8_t>> overrides_;
};

class FakeSound final : public SoundDevice, Logged {
  public:
    FakeSound(CallLog& log, const FakeResources& resources) : Logged(log), resources_(resources) {}
    bool PlayWave(std::span<const std::uint8_t> wave, SoundFlags flags) override {
        lastWave.assign(wave.begin(), wave.end());
        return Played("PlayWave " + resources_.NameOf(wave), flags);
    }
    bool PlayFile(const std::string& path, SoundFlags flags) override {
        return Played("PlayFile " + path, flags);
    }
    void Stop() override { Log("sound.Stop"); }

    std::vector<std::uint8_t> lastWave; // the bytes of the last PlayWave

  private:
    bool Played(const std::string& call, SoundFlags flags) const {
        Log("sound." + call + (flags.async ? " async" : " sync") + (flags.noWait ? " nowait" : ""));
        return true;
    }
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
    bool Set(MixerOutput output, MixerControl control, long value) override;

    std::map<Control, long> values;
    std::map<Control, ControlBounds> bounds;
};

// A registry in memory over the store's own tree (roots always exist, keys and names without
// regard to case, no deleting a key that has sub-keys); changes are logged by name, and a key
// used after it was closed throws, so that the test fails.
class FakeRegistry final : public RegistryBackend, Logged {
  public:
    using Logged::Logged;
    std::optional<RegistryKey> OpenKey(RegistryRoot root, const std::string& path, bool) override;
    std::optional<RegistryKey> CreateKey(RegistryRoot root, const std::string& path) override;
    std::optional<RegistryValue> QueryValue(RegistryKey key, const std::string& name) override;
    bool SetValue(RegistryKey key, const std::string& name, const RegistryValue& value) override;
    bool DeleteValue(RegistryKey key, const std::string& name) override;
    bool DeleteKey(RegistryRoot root, const std::string& path) override;
    void CloseKey(RegistryKey key) override { open_.erase(key); }
    // Every key handed out has been closed again.
    bool AllClosed() const { return open_.empty(); }

    RegistryTree tree;

  private:
    std::map<RegistryKey, std::string> open_;
    RegistryKey next_ = 1;
};

class FakeProcesses final : public Processes, Logged {
  public:
    using Logged::Logged;
    bool Start(const std::string& program, const std::vector<std::string>& args) override;
    bool OpenLink(const std::string& link) override { return Call("OpenLink " + link); }
    bool LogOff() override { return Call("LogOff"); }

  private:
    bool Call(const std::string& call) const {
        Log("processes." + call);
        return true;
    }
};

class FakeSystem final : public SystemInfo {
  public:
    std::string ExecutablePath() const override { return "/opt/diglux/diglux.bin"; }
    std::optional<std::string> Environment(const std::string& name) const override {
        return Lookup(environment, name);
    }
    OsVersion OperatingSystemVersion() const override { return os; }
    ProgramVersion Version() const override { return version; }
    bool OtherInstanceRunning() override { return otherInstance; }
    bool UsesManifests() const override { return usesManifests; }

    std::map<std::string, std::string> environment;
    OsVersion os{};
    ProgramVersion version{1, 0, 0};
    bool otherInstance = false;
    bool usesManifests = false;
};

// Files and folders in memory; writes and removals are logged.
class FakeFileSystem final : public FileSystem, Logged {
  public:
    using Logged::Logged;
    long FileLength(const std::string& path) const override {
        const auto it = files.find(path);
        return it == files.end() ? -1 : static_cast<long>(it->second.size());
    }
    bool ReadFile(const std::string& path, std::string& bytes) const override;
    bool WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) override;
    bool ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes) override;
    bool RemoveFile(const std::string& path) override {
        Log("files.RemoveFile " + path);
        return files.erase(path) > 0;
    }
    bool CreateFolder(const std::string& path, unsigned mode) override;
    bool IsFolder(const std::string& path) const override { return folders.contains(path); }
    std::string UserTempFolder() const override { return "/tmp/diglux-1000"; }

    std::map<std::string, std::string> files; // path -> content
    std::map<std::string, unsigned> folders;  // path -> mode
    bool failWrites = false;
};

class FakeHost {
  public:
    Host Bundle() {
        return Host{clock,    events,    timers, window,    desktop, sound, mixer,
                    registry, processes, system, resources, images,  files};
    }
    // The log entries that start with prefix, in order.
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const;

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
