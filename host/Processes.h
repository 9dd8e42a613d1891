// Starting other programs: the clock itself again, the logoff command, and links.
#pragma once

#include <string>
#include <vector>

namespace diglux {

class Processes {
  public:
    virtual ~Processes() = default;
    // Starts a program with arguments, not through a shell; false when it could not start.
    virtual bool Start(const std::string& program, const std::vector<std::string>& args) = 0;
    // Opens a link (web page, mail address) with the desktop's handler; false on failure.
    virtual bool OpenLink(const std::string& link) = 0;
    // Ends the user's session; false when that cannot be asked for.
    virtual bool LogOff() = 0;
};

} // namespace diglux
