// Starts a program and measures the time from its exec to the first window mapped on the
// screen (the MapNotify the root window reports, which with a window manager is the frame it
// maps around the program's window). Prints "PID MILLISECONDS" and leaves the program running.
//
// usage: diglux_mapwatch PROGRAM [ARGUMENTS...]
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kTimeoutMs = 10000;

using Clock = std::chrono::steady_clock;

// Waits for the first MapNotify among the root's children; false after the timeout or when
// the program has ended.
bool WaitForMap(Display* display, pid_t child, Clock::time_point start) {
    const int fd = ConnectionNumber(display);
    while (Clock::now() - start < std::chrono::milliseconds(kTimeoutMs)) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify) {
                return true;
            }
        }
        if (waitpid(child, nullptr, WNOHANG) == child) {
            return false;
        }
        pollfd ready{fd, POLLIN, 0};
        poll(&ready, 1, 50);
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "mapwatch: cannot open the display\n");
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        close(ConnectionNumber(display));
        execvp(argv[1], argv + 1);
        std::perror("mapwatch: exec");
        _exit(127);
    }
    if (child < 0 || !WaitForMap(display, child, start)) {
        std::fprintf(stderr, "mapwatch: no window was mapped\n");
        return 1;
    }
    const auto elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start);
    std::printf("%d %.0f\n", static_cast<int>(child), elapsed.count());
    return 0;
}
