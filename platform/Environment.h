// Small queries about the machine and the program's own file: version text and numbers,
// colour depth, executable name, temporary folder, files, and a blocking wait.
#pragma once

#include "host/Clock.h"
#include "host/Desktop.h"
#include "host/FileSystem.h"
#include "host/Resources.h"
#include "host/SystemInfo.h"

#include <string>

namespace diglux {

// "1.05", "1.05c", "1.05 Alpha 2", "1.05 Beta 10", "1.05ß" from the version numbers.
std::string MakeVersionText(const ProgramVersion& version);
// The executable's file name (after the last "/" or "\") up to and including its last ".";
// without an extension (as on Linux) the program's name and ".", so that the clock's files are
// always named after it ("Diglux.Alarm.wav", never "Alarm.wav" or ".Alarm.wav").
std::string ExeBaseName(const std::string& exePath);

// The clock's two temporary sound files: the alarm tone, and the announcement of older
// systems.
struct TempWavFiles {
    std::string alarm;
    std::string sagZeit;
};

class Environment {
  public:
    // Without files the file queries give their neutral results (-1, false) and TempDir
    // creates no folder.
    Environment(const SystemInfo& system, const Desktop& desktop, Clock& clock,
                const Resources& resources, FileSystem* files = nullptr);

    std::string ExePath() const;
    float WinVersion() const;
    bool IsNTPlatform() const;
    bool ShadowSupported() const;
    int ScreenBitsPerPixel() const;
    // The temporary folder, ending with "/": TEMP, else TMP, else XDG_RUNTIME_DIR, else the
    // host's per-user folder. Created (mode 0700) on the first call, then kept for the run.
    std::string TempDir();
    // The temporary sound files: the temporary folder, the executable's base name, and
    // "Alarm.wav" or "SagZeit.wav".
    TempWavFiles TempWavPaths();
    // The length of a regular file that can be read; -1 otherwise (links are not followed).
    long FileLength(const std::string& path) const;
    // Writes a resource's bytes into a file from its first byte; false when the resource is
    // missing or the file cannot be written.
    bool ResToFile(const std::string& type, const std::string& name, const std::string& path);
    // Sleeps seconds x 1000 ms, rounded half to even; no events run meanwhile.
    void WaitSeconds(float seconds);

  private:
    const SystemInfo& system_;
    const Desktop& desktop_;
    Clock& clock_;
    const Resources& resources_;
    FileSystem* files_;
    std::string tempDir_;
};

} // namespace diglux
