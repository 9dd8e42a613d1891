// The application manifest beside the executable (<executable>.manifest): it declares the
// program not DPI-aware, asks for the themed common controls and execution as invoker, and
// lists the supported Windows versions. Written when missing or when it names another
// version, so that the system reads the new one after the restart that start-up then makes.
// Platforms that read no manifests (UsesManifests false, as on Linux) have nothing to do.
#pragma once

#include "host/FileSystem.h"
#include "host/SystemInfo.h"
#include "platform/Environment.h"

#include <string>

namespace diglux {

// The program's file description, as the manifest names it.
inline constexpr const char* kFileDescription = "Digitale LED-Uhr mit Sprachansage und Wecker";

// "1.80.1.0" for version 1.80 revision 1.
std::string ManifestVersion(const ProgramVersion& version);
// The whole manifest file: 54 lines, each ended by CR LF, and one more CR LF.
std::string ManifestText(const std::string& title, const std::string& description,
                         const std::string& version);
// True when an existing manifest's text (any case) names the version in its own assembly
// identity, i.e. it need not be written again.
bool ManifestIsCurrent(const std::string& text, const std::string& version);

class ManifestWriter {
  public:
    // title is the product name the manifest names.
    ManifestWriter(const SystemInfo& system, const Environment& environment, FileSystem& files,
                   std::string title);
    // Writes the manifest when it is missing or outdated (or always with forceRewrite); true
    // only when it was written in this call. Below Windows Vista an existing one is deleted.
    bool Write(bool forceRewrite);

  private:
    const SystemInfo& system_;
    const Environment& environment_;
    FileSystem& files_;
    std::string title_;
};

} // namespace diglux
