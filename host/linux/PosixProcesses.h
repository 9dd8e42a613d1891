// Starting programs with posix_spawn (no shell in between), links through xdg-open, and
// ending the session through logind. Children that have ended are reaped on the next call.
#pragma once

#include "host/Processes.h"

#include <sys/types.h>

#include <vector>

namespace diglux {

class PosixProcesses final : public Processes {
  public:
    PosixProcesses() = default;
    ~PosixProcesses() override;
    PosixProcesses(const PosixProcesses&) = delete;
    PosixProcesses& operator=(const PosixProcesses&) = delete;

    // A program name without "/" is looked up in PATH.
    bool Start(const std::string& program, const std::vector<std::string>& args) override;
    // Refuses empty links and links that xdg-open would read as an option.
    bool OpenLink(const std::string& link) override;
    // Asks logind to end this session ($XDG_SESSION_ID); false outside such a session.
    bool LogOff() override;

  private:
    void ReapEnded();

    std::vector<pid_t> children_;
};

} // namespace diglux
