// SIGTERM and SIGHUP mean that the session is ending. The signal handler only writes a byte
// into a pipe; FLTK watches the pipe and calls back on the event loop's thread, where the
// clock's normal shutdown can run and save its settings. The callback runs once.
#pragma once

#include <functional>

namespace diglux {

class SessionEndSignals {
  public:
    // Installs the handlers; at most one instance may exist at a time.
    explicit SessionEndSignals(std::function<void()> onSessionEnd);
    // Restores the default handlers.
    ~SessionEndSignals();
    SessionEndSignals(const SessionEndSignals&) = delete;
    SessionEndSignals& operator=(const SessionEndSignals&) = delete;

    // False when the pipe or the handlers could not be set up.
    bool Installed() const { return installed_; }
    // The pipe FLTK watches, for an event loop that polls for itself; -1 when not installed.
    int ReadFd() const { return readFd_; }

  private:
    static void OnPipeReadable(int fd, void* data);

    std::function<void()> onSessionEnd_;
    int readFd_ = -1;
    int writeFd_ = -1;
    bool installed_ = false;
    bool delivered_ = false;
};

} // namespace diglux
