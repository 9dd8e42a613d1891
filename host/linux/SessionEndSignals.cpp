#include "host/linux/SessionEndSignals.h"

#include <FL/Fl.H>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace diglux {

namespace {

volatile sig_atomic_t gWakeFd = -1;

extern "C" void WriteWakeByte(int /*signal*/) {
    const int savedErrno = errno;
    const char byte = 1;
    if (gWakeFd >= 0) {
        // A full pipe already holds a wake-up; nothing is lost.
        [[maybe_unused]] const ssize_t written = write(gWakeFd, &byte, 1);
    }
    errno = savedErrno;
}

bool SetHandler(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return sigaction(signal, &action, nullptr) == 0;
}

} // namespace

SessionEndSignals::SessionEndSignals(std::function<void()> onSessionEnd)
    : onSessionEnd_(std::move(onSessionEnd)) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    readFd_ = fds[0];
    writeFd_ = fds[1];
    gWakeFd = writeFd_;
    Fl::add_fd(readFd_, FL_READ, &SessionEndSignals::OnPipeReadable, this);
    installed_ = SetHandler(SIGTERM, &WriteWakeByte) && SetHandler(SIGHUP, &WriteWakeByte);
}

SessionEndSignals::~SessionEndSignals() {
    SetHandler(SIGTERM, SIG_DFL);
    SetHandler(SIGHUP, SIG_DFL);
    gWakeFd = -1;
    if (readFd_ >= 0) {
        Fl::remove_fd(readFd_);
        close(readFd_);
        close(writeFd_);
    }
}

void SessionEndSignals::OnPipeReadable(int fd, void* data) {
    char buffer[64];
    while (read(fd, buffer, sizeof buffer) > 0) {
    }
    auto* self = static_cast<SessionEndSignals*>(data);
    if (self->delivered_) {
        return;
    }
    self->delivered_ = true;
    if (self->onSessionEnd_) {
        self->onSessionEnd_();
    }
}

} // namespace diglux
