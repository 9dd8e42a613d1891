#include "host/linux/PosixProcesses.h"

#include <csignal>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>

extern char** environ;

namespace diglux {

namespace {

// The clock handles some signals itself; a started program begins with the defaults and
// no signal blocked.
bool PrepareAttributes(posix_spawnattr_t& attributes) {
    sigset_t defaults;
    sigset_t none;
    sigemptyset(&defaults);
    for (const int signal : {SIGTERM, SIGHUP, SIGINT, SIGPIPE, SIGCHLD}) {
        sigaddset(&defaults, signal);
    }
    sigemptyset(&none);
    return posix_spawnattr_setsigdefault(&attributes, &defaults) == 0 &&
           posix_spawnattr_setsigmask(&attributes, &none) == 0 &&
           posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK) ==
               0;
}

} // namespace

PosixProcesses::~PosixProcesses() {
    ReapEnded();
}

bool PosixProcesses::Start(const std::string& program, const std::vector<std::string>& args) {
    ReapEnded();
    if (program.empty()) {
        return false;
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);

    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0) {
        return false;
    }
    pid_t pid = 0;
    const bool started =
        PrepareAttributes(attributes) &&
        posix_spawnp(&pid, program.c_str(), nullptr, &attributes, argv.data(), environ) == 0;
    posix_spawnattr_destroy(&attributes);
    if (started) {
        children_.push_back(pid);
    }
    return started;
}

bool PosixProcesses::OpenLink(const std::string& link) {
    if (link.empty() || link.front() == '-') {
        return false;
    }
    return Start("xdg-open", {link});
}

bool PosixProcesses::LogOff() {
    const char* session = std::getenv("XDG_SESSION_ID");
    if (session == nullptr || session[0] == '\0') {
        return false;
    }
    return Start("loginctl", {"terminate-session", session});
}

void PosixProcesses::ReapEnded() {
    std::erase_if(children_, [](pid_t pid) {
        int status = 0;
        const pid_t result = waitpid(pid, &status, WNOHANG);
        return result == pid || result < 0;
    });
}

} // namespace diglux
