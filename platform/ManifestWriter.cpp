#include "ManifestWriter.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace diglux {
namespace {

// The template; "{title}", "{description}" and "{version}" are filled in.
constexpr std::array<std::string_view, 54> kTemplate{
    R"(<?xml version="1.0" encoding="UTF-8" standalone="no"?>  )"
    R"(<!-- Application manifest: see the Windows documentation "Application Manifests" -->)",
    "",
    R"(<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">)",
    "",
    "  <assemblyIdentity ",
    R"(    type="win32" )",
    R"(    processorArchitecture="*" )",
    R"(    name="{title}" )",
    R"(    version="{version}" )",
    "  />",
    "",
    "  <description>{description}</description>",
    "",
    R"(  <trustInfo xmlns="urn:schemas-microsoft-com:asm.v2">)",
    "    <security>",
    "      <requestedPrivileges>",
    R"(        <!-- level can be "asInvoker", "highestAvailable", or "requireAdministrator" -->)",
    R"(        <requestedExecutionLevel level="asInvoker" uiAccess="false"/>)",
    "      </requestedPrivileges>",
    "    </security>",
    "  </trustInfo>",
    "",
    "  <dependency>",
    "    <dependentAssembly>",
    "      <assemblyIdentity ",
    R"(        type="win32" )",
    R"(        processorArchitecture="*" )",
    R"(        name="Microsoft.Windows.Common-Controls" )",
    R"(        version="6.0.0.0" )",
    R"(        publicKeyToken="6595b64144ccf1df" )",
    R"(        language="*" )",
    "      />",
    "    </dependentAssembly>",
    "  </dependency>",
    "",
    R"(  <compatibility xmlns="urn:schemas-microsoft-com:compatibility.v1">)",
    "    <application>",
    R"(      <supportedOS Id="{e2011457-1546-43c5-a5fe-008deee3d3f0}"/>  )"
    "<!-- App supports Windows Vista functionality -->",
    R"(      <supportedOS Id="{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"/>  )"
    "<!-- App supports Windows 7 functionality -->",
    R"(      <supportedOS Id="{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"/>  )"
    "<!-- App supports Windows 8 functionality -->",
    R"(      <supportedOS Id="{1f676c76-80e1-4239-95bb-83d0f6d0da78}"/>  )"
    "<!-- App supports Windows 8.1 functionality -->",
    R"(      <supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>  )"
    "<!-- App supports Windows 10 functionality -->",
    "    </application>",
    "  </compatibility>",
    "",
    R"(  <asmv3:application xmlns:asmv3="urn:schemas-microsoft-com:asm.v3">)",
    R"(    <asmv3:windowsSettings xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">)",
    "      <dpiAware>false</dpiAware>",
    "      <disableTheming>false</disableTheming>",
    "    </asmv3:windowsSettings>",
    "  </asmv3:application>",
    "",
    "</assembly>",
    "",
};

void ReplaceAll(std::string& text, std::string_view from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

std::string ManifestVersion(const ProgramVersion& version) {
    return std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
           std::to_string(version.revision) + ".0";
}

std::string ManifestText(const std::string& title, const std::string& description,
                         const std::string& version) {
    std::string text;
    for (std::string_view line : kTemplate) {
        std::string filled(line);
        ReplaceAll(filled, "{title}", title);
        ReplaceAll(filled, "{description}", description);
        ReplaceAll(filled, "{version}", version);
        text += filled + "\r\n";
    }
    return text + "\r\n";
}

bool ManifestIsCurrent(const std::string& text, const std::string& version) {
    std::string identity = Lower(text);
    const auto start = identity.find("<assemblyidentity");
    if (start != std::string::npos) {
        identity.erase(0, start);
        const auto end = identity.find("/>");
        if (end != std::string::npos) {
            identity.erase(end + 2);
        }
    }
    return identity.find(version) != std::string::npos;
}

ManifestWriter::ManifestWriter(const SystemInfo& system, const Environment& environment,
                               FileSystem& files, std::string title)
    : system_(system), environment_(environment), files_(files), title_(std::move(title)) {}

bool ManifestWriter::Write(bool forceRewrite) {
    if (!system_.UsesManifests()) {
        return false;
    }
    const std::string path = environment_.ExePath() + ".manifest";
    const long length = environment_.FileLength(path);
    if (environment_.WinVersion() < 6.0f) {
        // Older systems would refuse to start the program with the newer manifest.
        if (length > 1) {
            files_.RemoveFile(path);
        }
        return false;
    }
    const std::string version = ManifestVersion(system_.Version());
    if (!forceRewrite && length >= 1) {
        std::string text;
        files_.ReadFile(path, text);
        if (ManifestIsCurrent(text, version)) {
            return false;
        }
    }
    const std::string text = ManifestText(title_, kFileDescription, version);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return files_.ReplaceFile(path, std::span<const std::uint8_t>(bytes, text.size()));
}

} // namespace diglux
