#include "Environment.h"

#include "model/ProgramInfo.h"

#include <cmath>

namespace diglux {

std::string MakeVersionText(const ProgramVersion& version) {
    const int minor = version.minor % 100;
    std::string text =
        std::to_string(version.major) + "." + (minor < 10 ? "0" : "") + std::to_string(minor);
    const int r = version.revision;
    auto numbered = [](const char* word, int n) {
        return std::string(word) + (n > 0 ? " " + std::to_string(n) : "");
    };
    if (r >= 1 && r <= 26) {
        text += static_cast<char>(r + 96);
    } else if (r >= 1000 && r <= 1999) {
        text += numbered(" Alpha", r - 1000);
    } else if (r >= 100 && r <= 199) {
        text += numbered(" Beta", r - 100);
    } else if (r >= 2000 && r <= 2999) {
        text += numbered(" Beta", r - 2000);
    } else if (r == 255 || r == 9999) {
        text += "\xC3\x9F"; // ß
    }
    return text;
}

std::string ExeBaseName(const std::string& exePath) {
    const auto slash = exePath.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? exePath : exePath.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) {
        return std::string(kProductName) + ".";
    }
    return name.substr(0, dot + 1);
}

Environment::Environment(const SystemInfo& system, const Desktop& desktop, Clock& clock,
                         const Resources& resources, FileSystem* files)
    : system_(system), desktop_(desktop), clock_(clock), resources_(resources), files_(files) {}

std::string Environment::ExePath() const {
    return system_.ExecutablePath();
}

float Environment::WinVersion() const {
    const OsVersion v = system_.OperatingSystemVersion();
    return static_cast<float>(v.major) + static_cast<float>(v.minor) / 10.0f;
}

bool Environment::IsNTPlatform() const {
    return system_.OperatingSystemVersion().platformId == 2;
}

bool Environment::ShadowSupported() const {
    return IsNTPlatform() && WinVersion() >= 5.0f;
}

int Environment::ScreenBitsPerPixel() const {
    const int planes = desktop_.ColorPlanes();
    if (planes == 1) {
        return desktop_.BitsPerPixel();
    }
    return planes == 4 ? 4 : 0;
}

std::string Environment::TempDir() {
    if (!tempDir_.empty()) {
        return tempDir_;
    }
    std::string folder;
    for (const char* name : {"TEMP", "TMP", "XDG_RUNTIME_DIR"}) {
        folder = system_.Environment(name).value_or("");
        if (!folder.empty()) {
            break;
        }
    }
    if (folder.empty()) {
        folder = files_ != nullptr ? files_->UserTempFolder() : "/tmp";
    }
    if (!folder.ends_with('/')) {
        folder += '/';
    }
    // Usually it exists already; a failure shows later, when a file cannot be written.
    if (files_ != nullptr) {
        files_->CreateFolder(folder.substr(0, folder.size() - 1), 0700);
    }
    tempDir_ = folder;
    return tempDir_;
}

TempWavFiles Environment::TempWavPaths() {
    const std::string prefix = TempDir() + ExeBaseName(ExePath());
    return {prefix + "Alarm.wav", prefix + "SagZeit.wav"};
}

long Environment::FileLength(const std::string& path) const {
    return files_ != nullptr ? files_->FileLength(path) : -1;
}

bool Environment::ResToFile(const std::string& type, const std::string& name,
                            const std::string& path) {
    const std::span<const std::uint8_t> bytes = resources_.Load(type, name);
    return files_ != nullptr && !bytes.empty() && files_->WriteFile(path, bytes);
}

void Environment::WaitSeconds(float seconds) {
    // Single-precision like the value itself: 0.0125 s gives exactly 12.5, rounded to 12.
    const float milliseconds = seconds * 1000.0f;
    clock_.Sleep(static_cast<int>(std::nearbyint(milliseconds)));
}

} // namespace diglux
