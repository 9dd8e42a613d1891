// A host for the headless core: every platform call the core makes is recorded in one log,
// in order, and the test sets the clock, the desktop, the pointer and the mixer, and fires
// the timers by hand. Resources are the real embedded assets, which a test may override.
#pragma once

#include "host/EmbeddedResources.h"
#include "host/Host.h"
#include "host/linux/PngCodec.h"
#include "model/Calendar.h"
#include "model/TimeText.h"
#include "store/RegFileFormat.h"
#include "store/RegistryTree.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace diglux::test {

using CallLog = std::vector<std::string>;

inline std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

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
    void SetEnabled(TimerId id, bool enabled) override {
        if (Known(id)) {
            timers_[static_cast<std::size_t>(id - 1)].enabled = enabled;
            Log("timers.SetEnabled " + std::to_string(id) + (enabled ? " on" : " off"));
        }
    }
    bool IsEnabled(TimerId id) const override { return Known(id) && At(id).enabled; }
    // Runs the timer's handler once if it is enabled; false when it is not.
    bool Fire(TimerId id) {
        if (!IsEnabled(id)) {
            return false;
        }
        timers_[static_cast<std::size_t>(id - 1)].onTick();
        return true;
    }

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

// A registry in memory over the store's own tree (roots always exist, keys and names without
// regard to case, no deleting a key that has sub-keys); changes are logged by name, and a key
// used after it was closed throws, so that the test fails.
class FakeRegistry final : public RegistryBackend, Logged {
  public:
    using Logged::Logged;
    std::optional<RegistryKey> OpenKey(RegistryRoot root, const std::string& path, bool) override {
        const std::string full = RegFileKeyPath(root, path);
        if (!IsValidKeyPath(path) || (!path.empty() && !tree.HasKey(full))) {
            return std::nullopt;
        }
        open_[next_] = full;
        return next_++;
    }
    std::optional<RegistryKey> CreateKey(RegistryRoot root, const std::string& path) override {
        if (!IsValidKeyPath(path)) {
            return std::nullopt;
        }
        tree.AddKey(RegFileKeyPath(root, path));
        return OpenKey(root, path, true);
    }
    std::optional<RegistryValue> QueryValue(RegistryKey key, const std::string& name) override {
        const RegistryValue* value = tree.Find(open_.at(key), name);
        return value != nullptr ? std::optional(*value) : std::nullopt;
    }
    bool SetValue(RegistryKey key, const std::string& name, const RegistryValue& value) override {
        Log("registry.SetValue " + name);
        tree.Set(open_.at(key), name, value);
        return true;
    }
    bool DeleteValue(RegistryKey key, const std::string& name) override {
        Log("registry.DeleteValue " + name);
        return tree.Remove(open_.at(key), name);
    }
    bool DeleteKey(RegistryRoot root, const std::string& path) override {
        Log("registry.DeleteKey " + path);
        return !path.empty() && tree.RemoveKey(RegFileKeyPath(root, path));
    }
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
    bool Start(const std::string& program, const std::vector<std::string>& args) override {
        std::string entry = "Start " + program;
        for (const std::string& arg : args) {
            entry += " " + arg;
        }
        return Call(entry);
    }
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
    bool ReadFile(const std::string& path, std::string& bytes) const override {
        const auto it = files.find(path);
        bytes = it == files.end() ? std::string() : it->second;
        return it != files.end();
    }
    bool WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) override {
        Log("files.WriteFile " + path);
        if (failWrites) {
            return false;
        }
        std::string& content = files[path];
        content.resize(std::max(content.size(), bytes.size()));
        std::copy(bytes.begin(), bytes.end(), content.begin());
        return true;
    }
    bool ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes) override {
        Log("files.ReplaceFile " + path);
        return !failWrites && (files[path].assign(bytes.begin(), bytes.end()), true);
    }
    bool RemoveFile(const std::string& path) override {
        Log("files.RemoveFile " + path);
        return files.erase(path) > 0;
    }
    bool CreateFolder(const std::string& path, unsigned mode) override {
        char octal[8];
        std::snprintf(octal, sizeof octal, "%o", mode);
        Log("files.CreateFolder " + path + " " + octal);
        return folders.emplace(path, mode).second;
    }
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
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const {
        std::vector<std::string> calls;
        std::copy_if(log.begin(), log.end(), std::back_inserter(calls),
                     [&prefix](const std::string& entry) { return entry.starts_with(prefix); });
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
