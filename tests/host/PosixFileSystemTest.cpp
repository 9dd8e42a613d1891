// Files in a shared temporary folder: links, FIFOs and folders under a file's name are never
// opened, and the two ways of writing.
#include "host/linux/PosixFileSystem.h"
#include "tests/host/HostTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace diglux {
namespace {

namespace fs = std::filesystem;

std::span<const std::uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

class PosixFileSystemTest : public ::testing::Test {
  protected:
    std::string At(const std::string& name) const { return (dir.Path() / name).string(); }

    test::TempFolder dir;
    PosixFileSystem files;
};

TEST_F(PosixFileSystemTest, WriteOverwritesFromTheStartReplaceShortensAndFoldersArePrivate) {
    EXPECT_EQ(files.FileLength(At("a.wav")), -1);
    EXPECT_TRUE(files.WriteFile(At("a.wav"), Bytes("0123456789")));
    EXPECT_EQ(files.FileLength(At("a.wav")), 10);
    EXPECT_TRUE(files.WriteFile(At("a.wav"), Bytes("RIFF")));
    EXPECT_EQ(test::ReadText(At("a.wav")), "RIFF456789");
    EXPECT_TRUE(files.ReplaceFile(At("a.wav"), Bytes("new")));
    std::string read;
    EXPECT_TRUE(files.ReadFile(At("a.wav"), read));
    EXPECT_EQ(read, "new");
    EXPECT_EQ(fs::status(At("a.wav")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(files.RemoveFile(At("a.wav")));
    EXPECT_FALSE(files.RemoveFile(At("a.wav")));

    EXPECT_TRUE(files.CreateFolder(At("private"), 0700));
    EXPECT_FALSE(files.CreateFolder(At("private"), 0700)) << "exists already";
    EXPECT_EQ(fs::status(At("private")).permissions() & fs::perms::all, fs::perms::owner_all);
}

TEST_F(PosixFileSystemTest, LinksFifosAndFoldersAreNeverOpenedAndNeverBlock) {
    test::WriteText(At("victim"), "precious");
    fs::create_symlink(At("victim"), At("link.wav"));
    fs::create_symlink(At("nowhere"), At("dangling.wav"));
    ASSERT_EQ(mkfifo(At("pipe.wav").c_str(), 0600), 0);
    fs::create_directory(At("folder.wav"));
    for (const char* name : {"link.wav", "dangling.wav", "pipe.wav", "folder.wav"}) {
        EXPECT_EQ(files.FileLength(At(name)), -1) << name;
        EXPECT_FALSE(files.WriteFile(At(name), Bytes("evil"))) << name;
        EXPECT_FALSE(files.ReplaceFile(At(name), Bytes("evil"))) << name;
        std::string read = "x";
        EXPECT_FALSE(files.ReadFile(At(name), read)) << name;
        EXPECT_EQ(read, "") << name;
    }
    EXPECT_EQ(test::ReadText(At("victim")), "precious");
    EXPECT_FALSE(fs::exists(At("nowhere")));
    EXPECT_TRUE(files.IsFolder(At("folder.wav")));
}

TEST_F(PosixFileSystemTest, AtomicWriteReplacesWholeAndCleansUpOnFailure) {
    std::string error;
    test::WriteText(At("store"), "old content that is longer");
    EXPECT_TRUE(WriteFileAtomically(At("store"), "new", "", error)) << error;
    EXPECT_EQ(test::ReadText(At("store")), "new");
    EXPECT_TRUE(WriteFileAtomically(At("store"), "newer", At("store.tmp"), error)) << error;
    EXPECT_EQ(test::ReadText(At("store")), "newer");
    // A folder in the file's place cannot be replaced; no temporary file is left behind.
    fs::create_directories(At("taken/inner"));
    EXPECT_FALSE(WriteFileAtomically(At("taken"), "x", "", error));
    EXPECT_TRUE(error.starts_with("cannot rename")) << error;
    EXPECT_FALSE(WriteFileAtomically(At("nofolder/store"), "x", "", error));
    const auto entries = std::distance(fs::directory_iterator(dir.Path()), {});
    EXPECT_EQ(entries, 2) << "store and taken only";
}

} // namespace
} // namespace diglux
