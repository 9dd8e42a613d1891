// The per-user single-instance lock: an exclusive flock on "diglux.lock" in
// $XDG_RUNTIME_DIR (else in /tmp/diglux-<uid>, created with mode 0700), held until the
// process ends. The descriptor is closed on exec, so a program started from here never
// inherits the lock.
#pragma once

#include <string>

namespace diglux {

class InstanceLock {
  public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    enum class Outcome {
        Acquired,      // this process holds the lock (also on later calls)
        HeldElsewhere, // another process holds it
        Unavailable,   // no usable lock file; nobody can tell
    };
    Outcome Acquire();

    // The folder the lock file lives in, created if needed; empty when none is usable.
    static std::string LockDirectory();

  private:
    int fd_ = -1;
};

} // namespace diglux
