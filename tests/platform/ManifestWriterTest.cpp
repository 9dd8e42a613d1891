// The manifest beside the executable: when it is written and when it is kept.
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
        host.system.os = {2, 6, 1};
    }

    FakeHost host;
    std::string title = "Diglux";
    Environment environment{host.system, host.desktop, host.clock, host.resources, &host.files};
    ManifestWriter writer{host.system, environment, host.files, title};
};

// A missing or empty manifest is written, an existing one only when the version in its identity
// differs (compared without regard to case; without an identity the whole text counts); a
// failed write is not reported as written, since that would restart the program.
TEST_F(ManifestWriterTest, WrittenWhenMissingEmptyOrOfAnotherVersion) {
    EXPECT_TRUE(writer.Write(false));
    EXPECT_EQ(host.files.files[kPath], ManifestText("Diglux", kFileDescription, "1.80.1.0"));
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
    host.files.failWrites = true;
    EXPECT_FALSE(writer.Write(false)) << "a failed write is not reported as written";
}

} // namespace
} // namespace diglux::test
