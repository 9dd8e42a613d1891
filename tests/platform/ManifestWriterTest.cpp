// The manifest beside the executable: when it is written, kept or deleted, and its text.
#include "platform/ManifestWriter.h"
#include "tests/support/FakeHost.h"

#include <gtest/gtest.h>

namespace diglux::test {
namespace {

constexpr const char* kPath = "/opt/diglux/diglux.bin.manifest";

class ManifestWriterTest : public ::testing::Test {
  protected:
    ManifestWriterTest() {
        host.system.usesManifests = true;
        host.system.version = {1, 80, 1};
    }
    void AsWindows(int major, int minor) { host.system.os = {2, major, minor}; }
    std::vector<std::string> FileCalls() const { return host.CallsStartingWith("files."); }

    FakeHost host;
    std::string title = "Diglux";
    Environment environment{host.system, host.desktop, host.clock, host.resources, &host.files};
    ManifestWriter writer{host.system, environment, host.files, title};
};

TEST_F(ManifestWriterTest, TemplateByteForByte) {
    const std::vector<std::string> lines{
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>  <!-- Application "
        "manifest: see the Windows documentation \"Application Manifests\" -->",
        "",
        "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">",
        "",
        "  <assemblyIdentity ",
        "    type=\"win32\" ",
        "    processorArchitecture=\"*\" ",
        "    name=\"Diglux\" ",
        "    version=\"1.80.1.0\" ",
        "  />",
        "",
        "  <description>Digitale LED-Uhr mit Sprachansage und Wecker</description>",
        "",
        "  <trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v2\">",
        "    <security>",
        "      <requestedPrivileges>",
        "        <!-- level can be \"asInvoker\", \"highestAvailable\", or "
        "\"requireAdministrator\" -->",
        "        <requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
        "      </requestedPrivileges>",
        "    </security>",
        "  </trustInfo>",
        "",
        "  <dependency>",
        "    <dependentAssembly>",
        "      <assemblyIdentity ",
        "        type=\"win32\" ",
        "        processorArchitecture=\"*\" ",
        "        name=\"Microsoft.Windows.Common-Controls\" ",
        "        version=\"6.0.0.0\" ",
        "        publicKeyToken=\"6595b64144ccf1df\" ",
        "        language=\"*\" ",
        "      />",
        "    </dependentAssembly>",
        "  </dependency>",
        "",
        "  <compatibility xmlns=\"urn:schemas-microsoft-com:compatibility.v1\">",
        "    <application>",
        "      <supportedOS Id=\"{e2011457-1546-43c5-a5fe-008deee3d3f0}\"/>  <!-- App supports "
        "Windows Vista functionality -->",
        "      <supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>  <!-- App supports "
        "Windows 7 functionality -->",
        "      <supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>  <!-- App supports "
        "Windows 8 functionality -->",
        "      <supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>  <!-- App supports "
        "Windows 8.1 functionality -->",
        "      <supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>  <!-- App supports "
        "Windows 10 functionality -->",
        "    </application>",
        "  </compatibility>",
        "",
        "  <asmv3:application xmlns:asmv3=\"urn:schemas-microsoft-com:asm.v3\">",
        "    <asmv3:windowsSettings "
        "xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">",
        "      <dpiAware>false</dpiAware>",
        "      <disableTheming>false</disableTheming>",
        "    </asmv3:windowsSettings>",
        "  </asmv3:application>",
        "",
        "</assembly>",
        "",
    };
    ASSERT_EQ(lines.size(), 54u);
    std::string expected;
    for (const std::string& line : lines) {
        expected += line + "\r\n";
    }
    expected += "\r\n";
    AsWindows(6, 1);
    EXPECT_TRUE(writer.Write(false));
    EXPECT_EQ(host.files.files[kPath], expected);
    EXPECT_EQ(ManifestVersion({1, 80, 1}), "1.80.1.0");
    EXPECT_EQ(ManifestVersion({2, 5, 0}), "2.5.0.0");
}

TEST_F(ManifestWriterTest, MissingOrEmptyManifestIsWrittenFromVistaOn) {
    for (const auto& [major, minor] : {std::pair{6, 0}, {6, 1}, {6, 2}, {10, 0}}) {
        host.files.files.erase(kPath);
        AsWindows(major, minor);
        EXPECT_TRUE(writer.Write(false)) << major << "." << minor;
        EXPECT_TRUE(host.files.files.contains(kPath));
    }
    host.files.files[kPath] = "";
    EXPECT_TRUE(writer.Write(false)) << "an empty file counts as missing";
}

TEST_F(ManifestWriterTest, ExistingManifestIsJudgedByTheVersionInItsIdentity) {
    AsWindows(10, 0);
    const std::string current = ManifestText("Diglux", "x", "1.80.1.0");
    host.files.files[kPath] = current;
    EXPECT_FALSE(writer.Write(false)) << "same version";
    EXPECT_TRUE(host.CallsStartingWith("files.ReplaceFile").empty());

    host.files.files[kPath] = ManifestText("Diglux", "1.80.1.0", "1.80.0.0");
    EXPECT_TRUE(writer.Write(false)) << "other version; the right one only in the description";
    EXPECT_EQ(host.files.files[kPath], ManifestText("Diglux", kFileDescription, "1.80.1.0"));

    host.files.files[kPath] = "<ASSEMBLYIDENTITY VERSION=\"1.80.1.0\" />";
    EXPECT_FALSE(writer.Write(false)) << "compared without regard to case";
    host.files.files[kPath] = "no identity at all, but 1.80.1.0 somewhere";
    EXPECT_FALSE(writer.Write(false)) << "without an identity the whole text counts";
    host.files.files[kPath] = "no identity at all";
    EXPECT_TRUE(writer.Write(false));
    EXPECT_TRUE(writer.Write(true)) << "forced";
}

TEST_F(ManifestWriterTest, OlderSystemsDeleteTheManifestAndNeverWriteIt) {
    AsWindows(5, 1);
    EXPECT_FALSE(writer.Write(false));
    EXPECT_FALSE(writer.Write(true));
    EXPECT_TRUE(FileCalls().empty());
    host.files.files[kPath] = "x";
    EXPECT_FALSE(writer.Write(false));
    EXPECT_TRUE(host.files.files.contains(kPath)) << "one byte is left alone";
    host.files.files[kPath] = "xy";
    EXPECT_FALSE(writer.Write(false));
    EXPECT_FALSE(host.files.files.contains(kPath));
}

TEST_F(ManifestWriterTest, PlatformsWithoutManifestsHaveNothingToDo) {
    host.system.usesManifests = false;
    host.files.files[kPath] = "old";
    EXPECT_FALSE(writer.Write(true));
    AsWindows(5, 1);
    EXPECT_FALSE(writer.Write(false));
    EXPECT_TRUE(FileCalls().empty());
    EXPECT_EQ(host.files.files[kPath], "old");
}

TEST_F(ManifestWriterTest, FailedWriteIsNotReportedAsWritten) {
    AsWindows(6, 1);
    host.files.failWrites = true;
    EXPECT_FALSE(writer.Write(false));
}

} // namespace
} // namespace diglux::test
