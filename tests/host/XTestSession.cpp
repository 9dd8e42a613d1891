#include "tests/host/XTestSession.h"

#include "host/linux/FltkEventPump.h"
#include "host/linux/X11Display.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace diglux::test {

bool XDisplayReady() {
    std::string error;
    return OpenX11Display(error);
}

std::string RunCommand(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return output;
    }
    char buffer[512];
    std::size_t count = 0;
    while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        output.append(buffer, count);
    }
    pclose(pipe);
    return output;
}

bool PumpUntil(const std::function<bool()>& condition, int timeoutMs) {
    FltkEventPump pump;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        pump.DoEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

void PumpFor(int milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

} // namespace diglux::test
