// Files and processes. Files in a shared temporary folder: links, FIFOs and folders under a
// file's name are never opened, and the two ways of writing. Processes: programs start
// without a shell, what cannot or must not be started is refused, and the single-instance
// lock holds between processes, with its private fallback folder. The settings file on disk:
// what it holds after writes, changes made by others, the Run key in the autostart folder,
// and a store that cannot be used; then under stress, with real processes: a writer killed
// at random moments never leaves a broken file nor loses a write it had finished, and two
// processes writing at the same time lose nothing of each other's.
#include "host/linux/LinuxSystemInfo.h"
#include "host/linux/PosixFileSystem.h"
#include "host/linux/PosixProcesses.h"
#include "host/linux/RegFileStore.h"
#include "store/RegFileFormat.h"
#include "store/RegistryAccess.h"
#include "store/SettingsStore.h"
#include "tests/host/HostTestSupport.h"
#include "tests/store/RegFileSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace diglux {
namespace {

using namespace host_test;

using fs::path;

// A plain write overwrites from the start and keeps the rest; a replace leaves only the new
// bytes. Files and folders are private to the user. An atomic write replaces the whole file
// (with a temporary name given, as the settings store writes, it is seen in the store's test
// below); a folder in the file's place cannot be replaced, nor can a file in a missing folder
// be written, and no temporary file is left behind. Nothing is read, written or removed through
// a link (the file it points to is left alone, a dangling one is not created), nor a FIFO
// (which would block), a folder or another user's file.
TEST(PosixFileSystem, WritesOverwriteReplaceOrSwapWholeNeverThroughLinksFifosOrFolders) {
    TempFolder dir;
    PosixFileSystem files;
    const auto At = [&dir](const std::string& name) { return (dir.path / name).string(); };
    const auto Mode = [&](const char* name) { return fs::status(At(name)).permissions(); };
    std::string read, error;
    EXPECT_EQ(files.FileLength(At("a.wav")), -1);
    EXPECT_TRUE(files.WriteFile(At("a.wav"), Bytes("0123456789")));
    EXPECT_EQ(files.FileLength(At("a.wav")), 10);
    EXPECT_TRUE(files.WriteFile(At("a.wav"), Bytes("RIFF")));
    EXPECT_EQ(ReadText(At("a.wav")), "RIFF456789");
    EXPECT_TRUE(files.ReplaceFile(At("a.wav"), Bytes("new")) && files.ReadFile(At("a.wav"), read));
    EXPECT_EQ(read, "new");
    EXPECT_EQ(Mode("a.wav") & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(files.RemoveFile(At("a.wav")));
    EXPECT_FALSE(files.RemoveFile(At("a.wav")));
    EXPECT_TRUE(files.CreateFolder(At("private"), 0700));
    EXPECT_FALSE(files.CreateFolder(At("private"), 0700)) << "exists already";
    EXPECT_EQ(Mode("private") & fs::perms::all, fs::perms::owner_all);
    WriteText(At("store"), "old content that is longer");
    EXPECT_TRUE(WriteFileAtomically(At("store"), "new", "", error)) << error;
    EXPECT_EQ(ReadText(At("store")), "new");
    fs::create_directories(At("taken/inner"));
    EXPECT_FALSE(WriteFileAtomically(At("taken"), "x", "", error));
    EXPECT_TRUE(error.starts_with("cannot rename")) << error;
    EXPECT_FALSE(WriteFileAtomically(At("nofolder/store"), "x", "", error));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), {}), 3) << "no temporary file";
    WriteText(At("victim"), "precious");
    fs::create_symlink(At("victim"), At("link.wav"));
    fs::create_symlink(At("nowhere"), At("dangling.wav"));
    ASSERT_EQ(mkfifo(At("pipe.wav").c_str(), 0600), 0);
    fs::create_directory(At("folder.wav"));
    WriteText(At("others.wav"), "theirs"); // another user's file, where we can make one
    const bool othersFile = chown(At("others.wav").c_str(), 65534, 65534) == 0;
    for (const char* name : {"link.wav", "dangling.wav", "pipe.wav", "folder.wav", "others.wav"}) {
        if (name == std::string("others.wav") && !othersFile) {
            continue;
        }
        read = "x";
        EXPECT_FALSE(files.RemoveFile(At(name))) << name;
        EXPECT_TRUE(fs::exists(fs::symlink_status(At(name)))) << name;
        EXPECT_EQ(files.FileLength(At(name)), -1) << name;
        EXPECT_FALSE(files.WriteFile(At(name), Bytes("evil"))) << name;
        EXPECT_FALSE(files.ReplaceFile(At(name), Bytes("evil"))) << name;
        EXPECT_FALSE(files.ReadFile(At(name), read)) << name;
        EXPECT_EQ(read, "") << name;
    }
    EXPECT_EQ(ReadText(At("victim")), "precious");
    EXPECT_EQ(ReadText(At("others.wav")), "theirs");
    EXPECT_FALSE(fs::exists(At("nowhere")));
    EXPECT_TRUE(files.IsFolder(At("folder.wav")));
}

// Asks in a child process whether another instance runs.
bool ChildSeesAnother() {
    return WaitFor(InChild([] { return int(LinuxSystemInfo().OtherInstanceRunning()); })) == 1;
}

// Programs start without a shell: "$HOME" and ";" would be expanded or split by one. A
// missing program, one that is not in PATH and an empty name are refused. The single-instance
// lock: the child's lock ends with it; asking again must not refuse ourselves. A lock folder
// that cannot be used does not refuse the start. Without an absolute runtime folder the lock
// lives in a private folder under /tmp.
TEST(PosixProcesses, StartWithoutAShellAndTheInstanceLockHoldsWhileItsProcessRuns) {
    TempFolder folder;
    const fs::path out = folder.path / "args";
    PosixProcesses processes;
    ASSERT_TRUE(processes.Start(
        "/bin/sh", {"-c", "printf '%s|' \"$@\" >\"$0\"", out.string(), "a b", "$HOME", ";"}));
    EXPECT_TRUE(PumpUntil([&out] { return ReadText(out) == "a b|$HOME|;|"; })) << ReadText(out);
    for (const char* program : {"/nonexistent/diglux-helper", "diglux-no-such-program", ""}) {
        EXPECT_FALSE(processes.Start(program, {})) << program;
    }

    ScopedEnv missing("XDG_RUNTIME_DIR", (folder.path / "missing").c_str());
    EXPECT_FALSE(LinuxSystemInfo().OtherInstanceRunning());
    ScopedEnv env("XDG_RUNTIME_DIR", folder.path.c_str());
    ASSERT_FALSE(ChildSeesAnother());
    LinuxSystemInfo first;
    EXPECT_FALSE(first.OtherInstanceRunning());
    EXPECT_FALSE(first.OtherInstanceRunning()) << "asking again must not refuse ourselves";
    EXPECT_TRUE(fs::exists(folder.path / "diglux.lock"));
    EXPECT_TRUE(ChildSeesAnother());
    for (const char* runtime : {static_cast<const char*>(nullptr), "relative"}) {
        ScopedEnv env("XDG_RUNTIME_DIR", runtime);
        const std::string folder = InstanceLock::LockDirectory();
        EXPECT_EQ(folder, "/tmp/diglux-" + std::to_string(getuid()));
        struct stat info {};
        ASSERT_EQ(lstat(folder.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & (S_IFMT | 0777), S_IFDIR | 0700u) << "a private folder, no link";
        EXPECT_EQ(info.st_uid, getuid());
    }
}

const std::string kV = "HKCU\\Software\\X\\v"; // a value for any test

// A store in a fresh home folder, with what it says collected in log.
struct StoreUnderTest {
    path File() const { return home / "diglux" / "registry.reg"; }
    TempFolder folder;
    const path home = folder.path;
    std::ostringstream log;
    RegFileStore store{home.string(), log};
    RegistryAccess access{store};
    SettingsStore settings{access, "Tandemark", "Diglux"};
};

class RegFileStoreTest : public ::testing::Test, protected StoreUnderTest {};

// Reading creates nothing; a deleted value leaves no trace; the folder is private; a new
// store reads the file back, names in any case; nothing was said and no temporary file left.
// Values of the Run key are autostart entries (their own format and names are checked with
// AutostartEntry; here, where they go): the entry comes and goes with the value, not in the
// settings file; only texts can be autostart commands, and the Run key is never deleted.
// The clock's store lives in $XDG_CONFIG_HOME when that is an absolute path, else in
// ~/.config.
TEST_F(RegFileStoreTest, WritesRegedit4ReadsItBackKeepsRunValuesAsAutostartEntriesUnderXdgConfig) {
    EXPECT_EQ(settings.GetSettingText("Blink", "0"), "0");
    EXPECT_FALSE(fs::exists(home / "diglux"));
    settings.SaveSettingValue("Blink", "1");
    settings.SaveSettingValue("Alarm.Time", "07:30");
    settings.SaveSettingValue("Reload", "1");
    settings.SaveSettingValue("Dock", std::int32_t{5});
    settings.DeleteSettingValue("Reload");
    EXPECT_EQ(ReadText(File()),
              test::kLevels +
                  "\"Blink\"=\"1\"\n\"Alarm.Time\"=\"07:30\"\n\"Dock\"=dword:00000005\n");
    EXPECT_EQ(fs::status(home / "diglux").permissions() & fs::perms::all, fs::perms::owner_all);
    RegFileStore again(home.string(), log);
    RegistryAccess read(again);
    EXPECT_EQ(read.RegistryValue("hkcu\\software\\tandemark\\diglux\\BLINK"), DynamicValue("1"));
    EXPECT_EQ(read.RegistryValue("HKCU\\Software\\Tandemark\\Diglux\\Dock"), DynamicValue(5));
    EXPECT_EQ(log.str(), "");
    EXPECT_FALSE(fs::exists(File().string() + ".tmp"));
    const std::string run = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const path entry = home / "autostart" / "diglux.desktop";
    access.RegistrySet(run + "\\Diglux", "/usr/bin/diglux");
    EXPECT_TRUE(fs::exists(entry));
    EXPECT_EQ(access.RegistryValue(run + "\\Diglux"), DynamicValue("/usr/bin/diglux"));
    EXPECT_EQ(ReadText(File()).find("/usr/bin/diglux"), std::string::npos);
    EXPECT_TRUE(access.RegDeleteValuePath(run + "\\Diglux"));
    EXPECT_FALSE(fs::exists(entry));
    EXPECT_FALSE(access.RegDeleteValuePath(run + "\\Diglux"));
    access.RegistrySet(run + "\\Diglux", DynamicValue(std::int32_t{1}));
    EXPECT_FALSE(fs::exists(entry));
    EXPECT_FALSE(access.RegDeleteKeyPath(run));
    ScopedEnv someone("HOME", "/home/someone");
    const std::pair<const char*, const char*> cases[] = {
        {"relative", "/home/someone/.config"}, {nullptr, "/home/someone/.config"}, {"/x", "/x"}};
    for (const auto& [config, expected] : cases) {
        ScopedEnv env("XDG_CONFIG_HOME", config);
        EXPECT_EQ(RegFileStore::DefaultConfigHome(), expected);
    }
}

// The settings file here is a link to a file elsewhere, as a dotfiles folder would have it;
// the link stays a link when the store writes. A value written behind the store's back is
// read (that it is kept when the store writes another, the two writers of the stress test
// below prove). Names the file could not hold are refused rather than written, and a key
// deleted behind an open handle takes no more values.
TEST_F(RegFileStoreTest, EveryOperationSeesChangesMadeByOthersThroughALink) {
    const path dotfile = home / "dotfiles" / "registry.reg";
    WriteText(dotfile, "REGEDIT4\n");
    fs::create_directories(File().parent_path());
    fs::create_symlink(dotfile, File());
    const auto key = store.CreateKey(RegistryRoot::CurrentUser, "Software\\X");
    ASSERT_TRUE(key);
    WriteText(File(), "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\X]\n\"v\"=\"edited\"\n");
    EXPECT_EQ(access.RegistryValue(kV), DynamicValue("edited"));
    EXPECT_TRUE(store.SetValue(*key, "w", ToStored(DynamicValue("1"))));
    EXPECT_TRUE(fs::is_symlink(File()));
    EXPECT_TRUE(ReadText(dotfile).ends_with("\"w\"=\"1\"\n"));
    EXPECT_FALSE(store.SetValue(*key, "two\nlines", ToStored(DynamicValue(""))));
    EXPECT_FALSE(store.CreateKey(RegistryRoot::CurrentUser, "A\nB"));
    WriteText(File(), "REGEDIT4\n");
    EXPECT_FALSE(store.SetValue(*key, "w", ToStored(DynamicValue("2"))));
    store.CloseKey(*key);
}

// An unreadable file: the clock says so once and starts with empty settings; a second bad
// file does not replace the first one. A file where its folder belongs: the clock keeps its
// defaults, says so once, and leaves what is in the way alone (a folder where the file
// belongs is run end to end, in e2e/test-settings-unusable.sh).
TEST_F(RegFileStoreTest, UnreadableFileIsKeptAsBadAndAnUnusableStoreLeavesTheDefaults) {
    const std::string broken = "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\X]\n\"v\"=garbage\n";
    const std::string bad = File().string() + ".bad";
    WriteText(File(), broken);
    EXPECT_TRUE(access.RegistryValue(kV).IsEmpty());
    EXPECT_EQ(ReadText(bad), broken);
    EXPECT_FALSE(fs::exists(File()));
    EXPECT_EQ(log.str(), "diglux: " + File().string() +
                             " cannot be read (line 3: unknown kind of value); kept as " + bad +
                             ", the clock starts with empty settings\n");
    WriteText(File(), "not a registry file");
    access.RegistrySet(kV, "new");
    EXPECT_EQ(ReadText(bad + "2"), "not a registry file");
    EXPECT_EQ(ReadText(bad), broken);
    EXPECT_EQ(access.RegistryValue(kV), DynamicValue("new"));
    StoreUnderTest s; // a file where the folder belongs (a folder as the file: end to end)
    const path inTheWay = s.File().parent_path();
    WriteText(inTheWay, "");
    s.access.RegistrySet(kV, "1");
    s.access.RegistrySet(kV + "2", "1");
    EXPECT_TRUE(s.access.RegistryValue(kV).IsEmpty());
    EXPECT_TRUE(s.log.str().starts_with("diglux: cannot create " + inTheWay.string()))
        << s.log.str();
    EXPECT_EQ(std::ranges::count(s.log.str(), '\n'), 1) << s.log.str();
    EXPECT_TRUE(fs::is_regular_file(inTheWay));
}

// Value i of a writer: its name and the text it holds.
std::string Name(int writer, int i) {
    return "w" + std::to_string(writer) + "." + std::to_string(i);
}

// Saves values first..last-1 of a writer through the settings layer, each save opening or
// creating the key, writing and closing. Each save is told on reportFd (when given) only
// after it has returned: that one must survive. Returns the writer process's exit status.
int Writer(const path& home, int writer, int first, int last, int reportFd = -1) {
    RegFileStore store(home.string());
    RegistryAccess access(store);
    SettingsStore settings(access, "Tandemark", "Diglux");
    for (int i = first; i < last; ++i) {
        settings.SaveSettingValue(Name(writer, i), "value " + Name(writer, i));
        if (reportFd >= 0 && write(reportFd, &i, sizeof i) != sizeof i) {
            return 2;
        }
    }
    return 0;
}

// The settings file under stress, in memory where the machine has it: what is tested here
// is the order of the steps and the lock, which a RAM file system keeps exactly; the disk's
// flushes would only add time. Writer 0 is killed at random moments and started again with
// the saves it has not finished, while writer 1 writes 1000 values beside it. The file must
// parse after every kill and hold every save writer 0 had finished, and in the end all of
// writer 1's. The kill moment is tied to the writer's own pace, not to a fixed delay: wait
// for 0 to 3 finished saves, then for 0 to 1.5 times the time one save took. That lands
// inside a save on any machine, however fast it writes.
TEST(Reliability, AWriterKilledAtRandomMomentsLosesNothingItFinishedNorDoesOneBesideIt) {
    const TempFolder folder{fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp"};
    const path& home = folder.path;
    // How many of the writer's values below `count` the file holds as written.
    const auto kept = [&home](int writer, int count) {
        const RegistryTree tree = test::Parse(ReadText(home / "diglux" / "registry.reg"));
        int values = 0;
        for (int i = 0; i < count; ++i) {
            const auto* value = tree.Find(test::kKey, Name(writer, i));
            values += value && *value == ToStored(DynamicValue("value " + Name(writer, i)));
        }
        return values;
    };
    constexpr int kSaves = 400;
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    SCOPED_TRACE("seed " + std::to_string(seed));
    const pid_t beside = InChild([&] { return Writer(home, 1, 0, 1000); });
    std::chrono::duration<double, std::micro> oneSave{500};
    int finished = 0, killedAtWork = 0, rounds = 0;
    for (int fds[2]; finished < kSaves && rounds < 1000; ++rounds) {
        ASSERT_EQ(pipe(fds), 0);
        const pid_t child = InChild([&] { return Writer(home, 0, finished, kSaves, fds[1]); });
        close(fds[1]);
        auto lastReport = Clock::now();
        for (int wait = std::uniform_int_distribution(0, 3)(random), done = 0;
             wait > 0 && read(fds[0], &done, sizeof done) == sizeof done; --wait) {
            oneSave = Clock::now() - std::exchange(lastReport, Clock::now());
        }
        std::this_thread::sleep_for(oneSave * std::uniform_real_distribution(0.0, 1.5)(random));
        kill(child, SIGKILL);
        const int status = WaitFor(child);
        ASSERT_TRUE(status == 0 || status == 128 + SIGKILL) << "the writer failed: " << status;
        killedAtWork += status == 128 + SIGKILL;
        for (int done = 0; read(fds[0], &done, sizeof done) == sizeof done;) {
            finished = done + 1;
        }
        close(fds[0]);
        ASSERT_EQ(kept(0, finished), finished) << "lost saves after " << rounds + 1 << " rounds";
    }
    EXPECT_EQ(finished, kSaves);
    EXPECT_GE(killedAtWork, 20) << "the writer should have been killed in the middle of its work";
    EXPECT_EQ(WaitFor(beside), 0);
    EXPECT_EQ(kept(1, 1000), 1000);
    EXPECT_FALSE(fs::exists(home / "diglux" / "registry.reg.bad"));
    std::cout << "[          ] " << kSaves << " saves survived " << killedAtWork << " kills\n";
}

} // namespace
} // namespace diglux
