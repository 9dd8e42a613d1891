#include "FakeHost.h"

#include "model/Calendar.h"
#include "model/TimeText.h"

#include <algorithm>
#include <cctype>

namespace diglux::test {
namespace {

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

} // namespace

void FakeClock::AdvanceSeconds(int seconds) {
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

void FakeTimers::SetEnabled(TimerId id, bool enabled) {
    if (Known(id)) {
        timers_[static_cast<std::size_t>(id - 1)].enabled = enabled;
        Log("timers.SetEnabled " + std::to_string(id) + (enabled ? " on" : " off"));
    }
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
    Call("Move " + std::to_string(rect.left) + " " + std::to_string(rect.top));
}

std::span<const std::uint8_t> FakeResources::Load(std::string_view type,
                                                  std::string_view name) const {
    const auto it = overrides_.find(Upper(std::string(type) + "/" + std::string(name)));
    return it != overrides_.end() ? std::span<const std::uint8_t>(it->second)
                                  : embedded_.Load(type, name);
}

void FakeResources::Override(const std::string& type, const std::string& name,
                             std::vector<std::uint8_t> bytes) {
    overrides_[Upper(type + "/" + name)] = std::move(bytes);
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

bool FakeMixer::Set(MixerOutput output, MixerControl control, long value) {
    Log("mixer.Set " + std::to_string(static_cast<int>(output)) + " " +
        std::to_string(static_cast<int>(control)) + " " + std::to_string(value));
    if (!bounds.contains({output, control})) {
        return false;
    }
    values[{output, control}] = value;
    return true;
}

std::optional<RegistryKey> FakeRegistry::OpenKey(RegistryRoot root, const std::string& path, bool) {
    const std::string full = RegFileKeyPath(root, path);
    if (!IsValidKeyPath(path) || (!path.empty() && !tree.HasKey(full))) {
        return std::nullopt;
    }
    open_[next_] = full;
    return next_++;
}

std::optional<RegistryKey> FakeRegistry::CreateKey(RegistryRoot root, const std::string& path) {
    if (!IsValidKeyPath(path)) {
        return std::nullopt;
    }
    tree.AddKey(RegFileKeyPath(root, path));
    return OpenKey(root, path, true);
}

std::optional<RegistryValue> FakeRegistry::QueryValue(RegistryKey key, const std::string& name) {
    const RegistryValue* value = tree.Find(open_.at(key), name);
    return value != nullptr ? std::optional(*value) : std::nullopt;
}

bool FakeRegistry::SetValue(RegistryKey key, const std::string& name, const RegistryValue& value) {
    Log("registry.SetValue " + name);
    tree.Set(open_.at(key), name, value);
    return true;
}

bool FakeRegistry::DeleteValue(RegistryKey key, const std::string& name) {
    Log("registry.DeleteValue " + name);
    return tree.Remove(open_.at(key), name);
}

bool FakeRegistry::DeleteKey(RegistryRoot root, const std::string& path) {
    Log("registry.DeleteKey " + path);
    return !path.empty() && tree.RemoveKey(RegFileKeyPath(root, path));
}

bool FakeProcesses::Start(const std::string& program, const std::vector<std::string>& args) {
    std::string entry = "Start " + program;
    for (const std::string& arg : args) {
        entry += " " + arg;
    }
    return Call(entry);
}

bool FakeFileSystem::ReadFile(const std::string& path, std::string& bytes) const {
    const auto it = files.find(path);
    bytes = it == files.end() ? std::string() : it->second;
    return it != files.end();
}

bool FakeFileSystem::WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    Log("files.WriteFile " + path);
    if (failWrites) {
        return false;
    }
    std::string& content = files[path];
    content.resize(std::max(content.size(), bytes.size()));
    std::copy(bytes.begin(), bytes.end(), content.begin());
    return true;
}

bool FakeFileSystem::ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    Log("files.ReplaceFile " + path);
    return !failWrites && (files[path].assign(bytes.begin(), bytes.end()), true);
}

bool FakeFileSystem::CreateFolder(const std::string& path, unsigned mode) {
    char octal[8];
    std::snprintf(octal, sizeof octal, "%o", mode);
    Log("files.CreateFolder " + path + " " + octal);
    return folders.emplace(path, mode).second;
}

std::vector<std::string> FakeHost::CallsStartingWith(const std::string& prefix) const {
    std::vector<std::string> calls;
    std::copy_if(log.begin(), log.end(), std::back_inserter(calls),
                 [&prefix](const std::string& entry) { return entry.starts_with(prefix); });
    return calls;
}

} // namespace diglux::test
