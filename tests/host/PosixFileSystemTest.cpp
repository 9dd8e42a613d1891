// Files in a shared temporary folder: links, FIFOs and folders under a file's name are never
// opened, and the two ways of writing.
#include "host/linux/PosixFileSystem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace diglux {
namespace {

namespace fs = std::filesystem;

std::span<const std::uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

class PosixFileSystemTest : public ::testing::Test {
  protected:
    PosixFileSystemTest() {
        char pattern[] = "/tmp/diglux-files-test-XXXXXX";
        dir = mkdtemp(pattern);
    }
    ~PosixFileSystemTest() override { fs::remove_all(dir); }
    std::string At(const std::string& name) const { return (dir / name).string(); }
    std::string Content(const std::string& name) const {
        std::ifstream in(dir / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path dir;
    PosixFileSystem files;
};

TEST_F(PosixFileSystemTest, WriteOverwritesFromTheStartAndReplaceShortens) {
    EXPECT_EQ(files.FileLength(At("a.wav")), -1);
    EXPECT_TRUE(files.WriteFile(At("a.wav"), Bytes("0123456789")));
    EXPECT_EQ(files.FileLength(At("a.wav")), 10);
    EXPECT_TRUE(files.WriteFile(At("a.wav"), Bytes("RIFF")));
    EXPECT_EQ(Content("a.wav"), "RIFF456789");
    EXPECT_TRUE(files.ReplaceFile(At("a.wav"), Bytes("new")));
    EXPECT_EQ(Content("a.wav"), "new");
    std::string read;
    EXPECT_TRUE(files.ReadFile(At("a.wav"), read));
    EXPECT_EQ(read, "new");
    EXPECT_EQ(fs::status(At("a.wav")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(files.WriteFile(At("empty"), Bytes("")));
    EXPECT_EQ(files.FileLength(At("empty")), 0);
    EXPECT_TRUE(files.RemoveFile(At("a.wav")));
    EXPECT_FALSE(files.RemoveFile(At("a.wav")));
}

TEST_F(PosixFileSystemTest, LinksAreNeverFollowed) {
    std::ofstream(dir / "victim") << "precious";
    fs::create_symlink(dir / "victim", dir / "link.wav");
    EXPECT_FALSE(files.WriteFile(At("link.wav"), Bytes("evil")));
    EXPECT_FALSE(files.ReplaceFile(At("link.wav"), Bytes("evil")));
    EXPECT_EQ(files.FileLength(At("link.wav")), -1);
    std::string read = "x";
    EXPECT_FALSE(files.ReadFile(At("link.wav"), read));
    EXPECT_EQ(read, "");
    EXPECT_EQ(Content("victim"), "precious");
    fs::create_symlink(dir / "nowhere", dir / "dangling.wav");
    EXPECT_FALSE(files.WriteFile(At("dangling.wav"), Bytes("x")));
    EXPECT_FALSE(fs::exists(dir / "nowhere"));
}

TEST_F(PosixFileSystemTest, FifosAndFoldersAreNotFilesAndNeverBlock) {
    ASSERT_EQ(mkfifo(At("pipe.wav").c_str(), 0600), 0);
    EXPECT_EQ(files.FileLength(At("pipe.wav")), -1);
    EXPECT_FALSE(files.WriteFile(At("pipe.wav"), Bytes("x")));
    std::string read;
    EXPECT_FALSE(files.ReadFile(At("pipe.wav"), read));
    fs::create_directory(dir / "folder.wav");
    EXPECT_EQ(files.FileLength(At("folder.wav")), -1);
    EXPECT_FALSE(files.WriteFile(At("folder.wav"), Bytes("x")));
    EXPECT_TRUE(files.IsFolder(At("folder.wav")));
}

TEST_F(PosixFileSystemTest, FoldersAndTheUsersTempFolder) {
    EXPECT_TRUE(files.CreateFolder(At("private"), 0700));
    EXPECT_FALSE(files.CreateFolder(At("private"), 0700)) << "exists already";
    EXPECT_EQ(fs::status(At("private")).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_FALSE(files.IsFolder(At("missing")));
    EXPECT_EQ(files.UserTempFolder(), "/tmp/diglux-" + std::to_string(getuid()));
}

TEST_F(PosixFileSystemTest, AtomicWriteReplacesWholeAndCleansUpOnFailure) {
    std::string error;
    std::ofstream(dir / "store") << "old content that is longer";
    EXPECT_TRUE(WriteFileAtomically(At("store"), "new", "", error)) << error;
    EXPECT_EQ(Content("store"), "new");
    EXPECT_TRUE(WriteFileAtomically(At("store"), "newer", At("store.tmp"), error)) << error;
    EXPECT_EQ(Content("store"), "newer");
    // A folder in the file's place cannot be replaced; no temporary file is left behind.
    fs::create_directory(dir / "taken");
    fs::create_directory(dir / "taken" / "inner");
    EXPECT_FALSE(WriteFileAtomically(At("taken"), "x", "", error));
    EXPECT_TRUE(error.starts_with("cannot rename")) << error;
    EXPECT_FALSE(WriteFileAtomically(At("nofolder/store"), "x", "", error));
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir)) {
        ++entries;
    }
    EXPECT_EQ(entries, 2u) << "store and taken only";
}

} // namespace
} // namespace diglux
