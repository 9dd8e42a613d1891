// A host for the headless core: every platform call the core makes is recorded in one log,
// in order, and the test sets the clock, the desktop, the pointer and the mixer, and fires
// the timers by hand. Resources are the real embedded assets, which a test may override.
#pragma once

#include "host/EmbeddedResources.h"
#include "host/Host.h"
#include "host/linux/PngCodec.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace diglux::test {

using CallLog = std::vector<std::string>;

class FakeClock final : public Clock {
  public:
    explicit FakeClock(CallLog& log) : log_(log) {}
    LocalDateTime Now() const override { return now; }
    double SecondsSinceMidnight() const override;
    void Sleep(int milliseconds) override;
    // Moves the clock on by whole seconds, across midnight and month ends.
    void AdvanceSeconds(int seconds);

    LocalDateTime now{2024, 3, 1, 9, 5, 7};
    double fraction = 0.0; // part of the current second, for SecondsSinceMidnight

  private:
    CallLog& log_;
};

class FakeEventPump final : public EventPump {
  public:
    explicit FakeEventPump(CallLog& log) : log_(log) {}
    void DoEvents() override;

  private:
    CallLog& log_;
};

class FakeTimers final : public TimerService {
  public:
    explicit FakeTimers(CallLog& log) : log_(log) {}
    TimerId CreateTimer(int intervalMs, std::function<void()> onTick) override;
    void SetEnabled(TimerId id, bool enabled) override;
    bool IsEnabled(TimerId id) const override;
    int IntervalOf(TimerId id) const;
    // Runs the timer's handler once if it is enabled; false when it is not.
    bool Fire(TimerId id);

  private:
    struct Timer {
        int interval;
        std::function<void()> onTick;
        bool enabled;
    };
    CallLog& log_;
    std::vector<Timer> timers_;
};

class FakeWindow final : public ClockWindowHost {
  public:
    explicit FakeWindow(CallLog& log) : log_(log) {}
    void SetEventSink(ClockWindowEvents* s) override { sink = s; }
    void AttachFrame(const RgbImage* f) override { frame = f; }
    void Refresh(const Rect& area) override { refreshed.push_back(area); }
    void Move(double left, double top) override;
    Rect ScreenRect() const override { return rect; }
    void Show() override;
    void Hide() override;
    bool IsVisible() const override { return visible; }
    void SetTopmost(bool onTop, bool activate) override;
    void SetTaskbarButton(bool show) override;
    void EnableDropShadow() override;
    void Destroy() override;

    ClockWindowEvents* sink = nullptr;
    const RgbImage* frame = nullptr;
    std::vector<Rect> refreshed;
    Rect rect{0, 0, 654, 238};
    bool visible = false;

  private:
    CallLog& log_;
};

class FakeDesktop final : public Desktop {
  public:
    explicit FakeDesktop(CallLog& log) : log_(log) {}
    Rect DesktopRect() const override { return desktop; }
    Rect WorkArea() const override { return workArea; }
    Point PointerPosition() const override { return pointer; }
    int ColorPlanes() const override { return planes; }
    int BitsPerPixel() const override { return bitsPerPixel; }
    double UnitsPerPixelX() const override { return unitsPerPixel; }
    double UnitsPerPixelY() const override { return unitsPerPixel; }
    MessageResult ShowMessageBox(const MessageBoxRequest& request) override;
    void Beep() override;
    // No other program's window exists.
    bool WindowWithCaptionExists(const std::string&) const override { return false; }
    bool CloseWindowWithCaption(const std::string& caption) override;

    Rect desktop{0, 0, 1920, 1080};
    Rect workArea{0, 0, 1920, 1040};
    Point pointer{1000, 800};
    int planes = 1;
    int bitsPerPixel = 24;
    double unitsPerPixel = 1.0;
    std::vector<MessageBoxRequest> boxes;
    MessageResult answer = MessageResult::Ok;

  private:
    CallLog& log_;
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

class FakeSound final : public SoundDevice {
  public:
    FakeSound(CallLog& log, const FakeResources& resources) : log_(log), resources_(resources) {}
    bool PlayWave(std::span<const std::uint8_t> wave, SoundFlags flags) override;
    bool PlayFile(const std::string& path, SoundFlags flags) override;
    void Stop() override;

    std::vector<std::uint8_t> lastWave; // the bytes of the last PlayWave

  private:
    CallLog& log_;
    const FakeResources& resources_;
};

class FakeMixer final : public MixerDevice {
  public:
    explicit FakeMixer(CallLog& log) : log_(log) {}
    std::optional<ControlBounds> Bounds(MixerOutput line, MixerControl control) const override;
    std::optional<long> Get(MixerOutput line, MixerControl control) const override;
    bool Set(MixerOutput line, MixerControl control, long value) override;
    std::string OutputName(MixerOutput) const override { return {}; }
    std::string ControlName(MixerOutput, MixerControl) const override { return {}; }

    std::map<std::pair<MixerOutput, MixerControl>, long> values;
    std::map<std::pair<MixerOutput, MixerControl>, ControlBounds> bounds;

  private:
    CallLog& log_;
};

// A registry in memory: keys by root and lower-case path, values by lower-case name.
class FakeRegistry final : public RegistryBackend {
  public:
    explicit FakeRegistry(CallLog& log) : log_(log) {}
    std::optional<RegistryKey> OpenKey(RegistryRoot root, const std::string& path,
                                       bool writable) override;
    std::optional<RegistryKey> CreateKey(RegistryRoot root, const std::string& path) override;
    std::optional<RegistryValue> QueryValue(RegistryKey key, const std::string& name) override;
    bool SetValue(RegistryKey key, const std::string& name, const RegistryValue& value) override;
    bool DeleteValue(RegistryKey key, const std::string& name) override;
    bool DeleteKey(RegistryRoot root, const std::string& path) override;
    void CloseKey(RegistryKey key) override;

    std::map<std::string, std::map<std::string, RegistryValue>> keys; // "root\\path" -> values

  private:
    std::string KeyName(RegistryRoot root, const std::string& path) const;
    CallLog& log_;
    std::map<RegistryKey, std::string> open_;
    RegistryKey next_ = 1;
};

class FakeProcesses final : public Processes {
  public:
    explicit FakeProcesses(CallLog& log) : log_(log) {}
    bool Start(const std::string& program, const std::vector<std::string>& args) override;
    bool OpenLink(const std::string& link) override;
    bool LogOff() override;

  private:
    CallLog& log_;
};

class FakeSystem final : public SystemInfo {
  public:
    std::string ExecutablePath() const override { return "/opt/diglux/diglux.bin"; }
    std::optional<std::string> Environment(const std::string& name) const override;
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
class FakeFileSystem final : public FileSystem {
  public:
    explicit FakeFileSystem(CallLog& log) : log_(log) {}
    long FileLength(const std::string& path) const override;
    bool ReadFile(const std::string& path, std::string& bytes) const override;
    bool WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) override;
    bool ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes) override;
    bool RemoveFile(const std::string& path) override;
    bool CreateFolder(const std::string& path, unsigned mode) override;
    bool IsFolder(const std::string& path) const override { return folders.contains(path); }
    std::string UserTempFolder() const override { return "/tmp/diglux-1000"; }

    std::map<std::string, std::string> files; // path -> content
    std::map<std::string, unsigned> folders;  // path -> mode
    bool failWrites = false;

  private:
    CallLog& log_;
};

class FakeHost {
  public:
    Host Bundle();
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
