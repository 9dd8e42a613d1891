// The settings file under stress, with real processes: a writer killed at random moments
// never leaves a broken file nor loses a write it had finished, and two processes writing at
// the same time lose nothing of each other's.
#include "host/linux/RegFileStore.h"
#include "store/RegFileFormat.h"
#include "tests/host/HostTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace diglux {
namespace {

namespace fs = std::filesystem;
constexpr const char* kKeyPath = "Software\\Tandemark\\Diglux";
constexpr const char* kFullKey = "HKEY_CURRENT_USER\\Software\\Tandemark\\Diglux";

RegistryValue Text(const std::string& text) {
    RegistryValue value{RegistryType::String, {text.begin(), text.end()}};
    value.data.push_back(0);
    return value;
}

std::string ValueText(int writer, int i) {
    return "writer " + std::to_string(writer) + " value " + std::to_string(i);
}

// One save as the settings layer makes it: open or create the key, write, close.
bool Save(RegFileStore& store, const std::string& name, const std::string& text) {
    const auto key = store.CreateKey(RegistryRoot::CurrentUser, kKeyPath);
    if (!key) {
        return false;
    }
    const bool written = store.SetValue(*key, name, Text(text));
    store.CloseKey(*key);
    return written;
}

class ReliabilityTest : public ::testing::Test {
  protected:
    // The file as it is now, which must parse.
    std::optional<RegistryTree> Current() const {
        const fs::path file = home / "diglux" / "registry.reg";
        if (!fs::exists(file)) {
            return RegistryTree();
        }
        const std::string bytes = test::ReadText(file);
        RegFileError error;
        std::optional<RegistryTree> tree = ParseRegFile(bytes, error);
        if (!tree) {
            ADD_FAILURE() << "line " << error.line << ": " << error.reason << "\n" << bytes;
        }
        return tree;
    }

    // In memory where the machine has it: what is tested here is the order of the steps and
    // the lock, which a RAM file system keeps exactly; the disk's flushes would only add time.
    test::TempFolder folder{fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp"};
    const fs::path home = folder.Path();
};

// A writer that reports every save it has finished on a pipe, from save `first` on.
[[noreturn]] void WriteAndReport(const fs::path& home, int first, int last, int reportFd) {
    RegFileStore store(home.string());
    for (int i = first; i < last; ++i) {
        if (!Save(store, "v" + std::to_string(i), ValueText(0, i))) {
            _exit(1);
        }
        // Told only after the save has returned: this one must survive.
        if (write(reportFd, &i, sizeof i) != sizeof i) {
            _exit(2);
        }
    }
    _exit(0);
}

// The kill moment is tied to the writer's own pace, not to a fixed delay: wait for a few
// finished saves, then for a random part of the time one save took. That lands inside a
// save on any machine, however fast it writes.
TEST_F(ReliabilityTest, WriterKilledAtRandomMomentsLosesNothingItFinished) {
    using Clock = std::chrono::steady_clock;
    constexpr int kSaves = 400;
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> savesBeforeKill(0, 3);
    std::uniform_real_distribution<double> partOfASave(0.0, 1.5);
    SCOPED_TRACE("seed " + std::to_string(seed));
    Clock::duration oneSave = std::chrono::microseconds(500);
    int finished = 0;
    int killedAtWork = 0;
    int rounds = 0;
    while (finished < kSaves && rounds < 1000) {
        int pipeFds[2];
        ASSERT_EQ(pipe(pipeFds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(pipeFds[0]);
            WriteAndReport(home, finished, kSaves, pipeFds[1]);
        }
        close(pipeFds[1]);
        auto lastReport = Clock::now();
        for (int wait = savesBeforeKill(random), done = 0;
             wait > 0 && read(pipeFds[0], &done, sizeof done) == sizeof done; --wait) {
            oneSave = Clock::now() - lastReport;
            lastReport = Clock::now();
        }
        std::this_thread::sleep_for(
            std::chrono::duration_cast<Clock::duration>(oneSave * partOfASave(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_FALSE(WIFEXITED(status) && WEXITSTATUS(status) != 0) << "a save failed";
        killedAtWork += WIFSIGNALED(status) ? 1 : 0;
        for (int done = 0; read(pipeFds[0], &done, sizeof done) == sizeof done;) {
            finished = done + 1;
        }
        close(pipeFds[0]);
        ++rounds;

        const std::optional<RegistryTree> tree = Current();
        ASSERT_TRUE(tree);
        for (int i = 0; i < finished; ++i) {
            const RegistryValue* value = tree->Find(kFullKey, "v" + std::to_string(i));
            ASSERT_NE(value, nullptr) << "lost v" << i << " after " << rounds << " rounds";
            ASSERT_EQ(*value, Text(ValueText(0, i)));
        }
    }
    EXPECT_EQ(finished, kSaves);
    EXPECT_GE(killedAtWork, 20) << "the writer should have been killed in the middle of its work";
    EXPECT_FALSE(fs::exists(home / "diglux" / "registry.reg.bad"));
    std::cout << "[          ] " << kSaves << " saves survived " << killedAtWork << " kills\n";
}

TEST_F(ReliabilityTest, TwoProcessesWritingAtOnceLoseNothing) {
    constexpr int kValues = 1000;
    std::vector<pid_t> children;
    for (int writer = 1; writer <= 2; ++writer) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            RegFileStore store(home.string());
            for (int i = 0; i < kValues; ++i) {
                const std::string name = "w" + std::to_string(writer) + "." + std::to_string(i);
                if (!Save(store, name, ValueText(writer, i))) {
                    _exit(1);
                }
            }
            _exit(0);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::optional<RegistryTree> tree = Current();
    ASSERT_TRUE(tree);
    int present = 0;
    for (int writer = 1; writer <= 2; ++writer) {
        for (int i = 0; i < kValues; ++i) {
            const std::string name = "w" + std::to_string(writer) + "." + std::to_string(i);
            const RegistryValue* value = tree->Find(kFullKey, name);
            present += value != nullptr && *value == Text(ValueText(writer, i)) ? 1 : 0;
        }
    }
    EXPECT_EQ(present, 2 * kValues);
}

} // namespace
} // namespace diglux
