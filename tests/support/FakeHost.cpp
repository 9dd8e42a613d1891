#include "FakeHost.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace diglux::test {
namespace {

int DaysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Flags(SoundFlags flags) {
    std::string text = flags.async ? "async" : "sync";
    if (flags.noWait) {
        text += " nowait";
    }
    return text;
}

} // namespace

double FakeClock::SecondsSinceMidnight() const {
    return (now.hour * 60 + now.minute) * 60 + now.second + fraction;
}

void FakeClock::Sleep(int milliseconds) {
    log_.push_back("clock.Sleep " + std::to_string(milliseconds));
}

void FakeClock::AdvanceSeconds(int seconds) {
    for (int i = 0; i < seconds; ++i) {
        if (++now.second < 60) {
            continue;
        }
        now.second = 0;
        if (++now.minute < 60) {
            continue;
        }
        now.minute = 0;
        if (++now.hour < 24) {
            continue;
        }
        now.hour = 0;
        if (++now.day <= DaysInMonth(now.year, now.month)) {
            continue;
        }
        now.day = 1;
        if (++now.month <= 12) {
            continue;
        }
        now.month = 1;
        ++now.year;
    }
}

void FakeEventPump::DoEvents() {
    log_.push_back("events.DoEvents");
}

TimerId FakeTimers::CreateTimer(int intervalMs, std::function<void()> onTick) {
    timers_.push_back({intervalMs, std::move(onTick), false});
    return static_cast<TimerId>(timers_.size());
}

void FakeTimers::SetEnabled(TimerId id, bool enabled) {
    if (id >= 1 && static_cast<std::size_t>(id) <= timers_.size()) {
        timers_[static_cast<std::size_t>(id - 1)].enabled = enabled;
        log_.push_back("timers.SetEnabled " + std::to_string(id) + " " + (enabled ? "on" : "off"));
    }
}

bool FakeTimers::IsEnabled(TimerId id) const {
    return id >= 1 && static_cast<std::size_t>(id) <= timers_.size() &&
           timers_[static_cast<std::size_t>(id - 1)].enabled;
}

int FakeTimers::IntervalOf(TimerId id) const {
    return timers_.at(static_cast<std::size_t>(id - 1)).interval;
}

bool FakeTimers::Fire(TimerId id) {
    if (!IsEnabled(id)) {
        return false;
    }
    timers_[static_cast<std::size_t>(id - 1)].onTick();
    return true;
}

void FakeWindow::Move(double left, double top) {
    rect.left = static_cast<int>(left);
    rect.top = static_cast<int>(top);
    log_.push_back("window.Move " + std::to_string(rect.left) + " " + std::to_string(rect.top));
}

void FakeWindow::Show() {
    visible = true;
    log_.push_back("window.Show");
}

void FakeWindow::Hide() {
    visible = false;
    log_.push_back("window.Hide");
}

void FakeWindow::SetTopmost(bool onTop, bool activate) {
    log_.push_back(std::string("window.SetTopmost ") + (onTop ? "1" : "0") + " " +
                   (activate ? "1" : "0"));
}

void FakeWindow::SetTaskbarButton(bool show) {
    log_.push_back(std::string("window.SetTaskbarButton ") + (show ? "1" : "0"));
}

void FakeWindow::EnableDropShadow() {
    log_.push_back("window.EnableDropShadow");
}

void FakeWindow::Destroy() {
    visible = false;
    log_.push_back("window.Destroy");
}

MessageResult FakeDesktop::ShowMessageBox(const MessageBoxRequest& request) {
    boxes.push_back(request);
    log_.push_back("desktop.ShowMessageBox " + request.title);
    return answer;
}

void FakeDesktop::Beep() {
    log_.push_back("desktop.Beep");
}

bool FakeDesktop::CloseWindowWithCaption(const std::string& caption) {
    log_.push_back("desktop.CloseWindowWithCaption " + caption);
    return false;
}

std::span<const std::uint8_t> FakeResources::Load(std::string_view type,
                                                  std::string_view name) const {
    std::string key = std::string(type) + "/" + std::string(name);
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    const auto it = overrides_.find(key);
    if (it != overrides_.end()) {
        return it->second;
    }
    return embedded_.Load(type, name);
}

void FakeResources::Override(const std::string& type, const std::string& name,
                             std::vector<std::uint8_t> bytes) {
    std::string key = type + "/" + name;
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    overrides_[key] = std::move(bytes);
}

std::string FakeResources::NameOf(std::span<const std::uint8_t> bytes) const {
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

bool FakeSound::PlayWave(std::span<const std::uint8_t> wave, SoundFlags flags) {
    log_.push_back("sound.PlayWave " + resources_.NameOf(wave) + " " + Flags(flags));
    lastWave.assign(wave.begin(), wave.end());
    return true;
}

bool FakeSound::PlayFile(const std::string& path, SoundFlags flags) {
    log_.push_back("sound.PlayFile " + path + " " + Flags(flags));
    return true;
}

void FakeSound::Stop() {
    log_.push_back("sound.Stop");
}

std::optional<ControlBounds> FakeMixer::Bounds(MixerOutput line, MixerControl control) const {
    const auto it = bounds.find({line, control});
    return it == bounds.end() ? std::nullopt : std::optional<ControlBounds>(it->second);
}

std::optional<long> FakeMixer::Get(MixerOutput line, MixerControl control) const {
    const auto it = values.find({line, control});
    return it == values.end() ? std::nullopt : std::optional<long>(it->second);
}

bool FakeMixer::Set(MixerOutput line, MixerControl control, long value) {
    log_.push_back("mixer.Set " + std::to_string(static_cast<int>(line)) + " " +
                   std::to_string(static_cast<int>(control)) + " " + std::to_string(value));
    if (!bounds.contains({line, control})) {
        return false;
    }
    values[{line, control}] = value;
    return true;
}

std::string FakeRegistry::KeyName(RegistryRoot root, const std::string& path) const {
    return std::to_string(static_cast<std::uint32_t>(root)) + "\\" + Lower(path);
}

std::optional<RegistryKey> FakeRegistry::OpenKey(RegistryRoot root, const std::string& path, bool) {
    const std::string name = KeyName(root, path);
    if (!keys.contains(name)) {
        return std::nullopt;
    }
    open_[next_] = name;
    return next_++;
}

std::optional<RegistryKey> FakeRegistry::CreateKey(RegistryRoot root, const std::string& path) {
    const std::string name = KeyName(root, path);
    keys[name];
    open_[next_] = name;
    return next_++;
}

std::optional<RegistryValue> FakeRegistry::QueryValue(RegistryKey key, const std::string& name) {
    const auto open = open_.find(key);
    if (open == open_.end()) {
        return std::nullopt;
    }
    const auto& values = keys[open->second];
    const auto it = values.find(Lower(name));
    return it == values.end() ? std::nullopt : std::optional<RegistryValue>(it->second);
}

bool FakeRegistry::SetValue(RegistryKey key, const std::string& name, const RegistryValue& value) {
    const auto open = open_.find(key);
    if (open == open_.end()) {
        return false;
    }
    log_.push_back("registry.SetValue " + name);
    keys[open->second][Lower(name)] = value;
    return true;
}

bool FakeRegistry::DeleteValue(RegistryKey key, const std::string& name) {
    const auto open = open_.find(key);
    log_.push_back("registry.DeleteValue " + name);
    return open != open_.end() && keys[open->second].erase(Lower(name)) > 0;
}

bool FakeRegistry::DeleteKey(RegistryRoot root, const std::string& path) {
    log_.push_back("registry.DeleteKey " + path);
    return keys.erase(KeyName(root, path)) > 0;
}

void FakeRegistry::CloseKey(RegistryKey key) {
    open_.erase(key);
}

bool FakeProcesses::Start(const std::string& program, const std::vector<std::string>& args) {
    std::string entry = "processes.Start " + program;
    for (const std::string& arg : args) {
        entry += " " + arg;
    }
    log_.push_back(entry);
    return true;
}

bool FakeProcesses::OpenLink(const std::string& link) {
    log_.push_back("processes.OpenLink " + link);
    return true;
}

bool FakeProcesses::LogOff() {
    log_.push_back("processes.LogOff");
    return true;
}

std::optional<std::string> FakeSystem::Environment(const std::string& name) const {
    const auto it = environment.find(name);
    return it == environment.end() ? std::nullopt : std::optional<std::string>(it->second);
}

long FakeFileSystem::FileLength(const std::string& path) const {
    const auto it = files.find(path);
    return it == files.end() ? -1 : static_cast<long>(it->second.size());
}

bool FakeFileSystem::ReadFile(const std::string& path, std::string& bytes) const {
    const auto it = files.find(path);
    bytes = it == files.end() ? std::string() : it->second;
    return it != files.end();
}

bool FakeFileSystem::WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    log_.push_back("files.WriteFile " + path);
    if (failWrites) {
        return false;
    }
    std::string& content = files[path];
    content.resize(std::max(content.size(), bytes.size()));
    std::copy(bytes.begin(), bytes.end(), content.begin());
    return true;
}

bool FakeFileSystem::ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    log_.push_back("files.ReplaceFile " + path);
    if (failWrites) {
        return false;
    }
    files[path].assign(bytes.begin(), bytes.end());
    return true;
}

bool FakeFileSystem::RemoveFile(const std::string& path) {
    log_.push_back("files.RemoveFile " + path);
    return files.erase(path) > 0;
}

bool FakeFileSystem::CreateFolder(const std::string& path, unsigned mode) {
    char octal[8];
    std::snprintf(octal, sizeof octal, "%o", mode);
    log_.push_back("files.CreateFolder " + path + " " + octal);
    return folders.emplace(path, mode).second;
}

Host FakeHost::Bundle() {
    return Host{clock,    events,    timers, window,    desktop, sound, mixer,
                registry, processes, system, resources, images,  files};
}

std::vector<std::string> FakeHost::CallsStartingWith(const std::string& prefix) const {
    std::vector<std::string> calls;
    for (const std::string& entry : log) {
        if (entry.rfind(prefix, 0) == 0) {
            calls.push_back(entry);
        }
    }
    return calls;
}

} // namespace diglux::test
