// The manifest beside the executable: when it is written, kept or deleted, and its text.
#include "platform/ManifestWriter.h"
#include "tests/support/FakeHost.h"

#include <gtest/gtest.h>

#include <algorithm>

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

// The template with the title, description and four-part version filled in, every line ending
// in CR LF.
TEST_F(ManifestWriterTest, TextFillsTheTemplate) {
    AsWindows(6, 1);
    EXPECT_TRUE(writer.Write(false));
    const std::string& text = host.files.files[kPath];
    EXPECT_TRUE(text.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>"));
    for (const char* part : {"    name=\"Diglux\" \r\n    version=\"1.80.1.0\" \r\n",
                             "<description>Digitale LED-Uhr mit Sprachansage und Wecker</",
                             "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
                             "<dpiAware>false</dpiAware>"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part;
    }
    EXPECT_TRUE(text.ends_with("  </asmv3:application>\r\n\r\n</assembly>\r\n\r\n\r\n"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 55);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 55);
    EXPECT_EQ(ManifestVersion({2, 5, 0}), "2.5.0.0");
}

// From Vista on a missing or empty manifest is written, an existing one only when the version in
// its identity differs (compared without regard to case; without an identity the whole text
// counts), or when forced.
TEST_F(ManifestWriterTest, WrittenWhenMissingEmptyOrOfAnotherVersion) {
    for (const auto& [major, minor] : {std::pair{6, 0}, {6, 1}, {6, 2}, {10, 0}}) {
        host.files.files.erase(kPath);
        AsWindows(major, minor);
        EXPECT_TRUE(writer.Write(false)) << major << "." << minor;
        EXPECT_TRUE(host.files.files.contains(kPath));
    }
    host.log.clear();
    const std::vector<std::pair<std::string, bool>> cases{
        {"", true},
        {ManifestText("Diglux", "x", "1.80.1.0"), false},
        {ManifestText("Diglux", "1.80.1.0", "1.80.0.0"), true}, // right version only in the text
        {"<ASSEMBLYIDENTITY VERSION=\"1.80.1.0\" />", false},
        {"no identity at all, but 1.80.1.0 somewhere", false},
        {"no identity at all", true}};
    for (const auto& [existing, written] : cases) {
        host.files.files[kPath] = existing;
        EXPECT_EQ(writer.Write(false), written) << existing;
        EXPECT_EQ(host.files.files[kPath] == existing, !written) << existing;
    }
    EXPECT_EQ(host.files.files[kPath], ManifestText("Diglux", kFileDescription, "1.80.1.0"));
    EXPECT_TRUE(writer.Write(true)) << "forced";
    host.files.failWrites = true;
    EXPECT_FALSE(writer.Write(true)) << "a failed write is not reported as written";
}

TEST_F(ManifestWriterTest, OlderSystemsDeleteTheManifestAndOthersLeaveItAlone) {
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
    // Without manifests there is nothing to do, whatever the version.
    host.system.usesManifests = false;
    host.files.files[kPath] = "old";
    host.log.clear();
    EXPECT_FALSE(writer.Write(true));
    EXPECT_TRUE(FileCalls().empty());
    EXPECT_EQ(host.files.files[kPath], "old");
}

} // namespace
} // namespace diglux::test
