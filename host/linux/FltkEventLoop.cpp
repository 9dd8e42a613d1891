#include "host/linux/FltkEventLoop.h"

#include "host/linux/FltkEventPump.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <poll.h>

#include <chrono>

namespace diglux {
namespace {

// Sends the requests queued since the last flush. Xlib's XFlush also reads the connection,
// so it is called only when a request is waiting.
class RequestFlusher {
  public:
    void Flush() {
        if (XNextRequest(fl_display) != flushedUpTo_) {
            XFlush(fl_display);
            Sent();
        }
    }
    void Sent() { flushedUpTo_ = XNextRequest(fl_display); }

  private:
    unsigned long flushedUpTo_ = 0;
};

// Waits for input or the next tick that may act; true when a descriptor has something to read.
bool WaitForInput(FltkTimerService& timers, std::vector<pollfd>& fds) {
    for (pollfd& fd : fds) {
        fd.revents = 0;
    }
    const int ready = poll(fds.data(), fds.size(), timers.PlanSleepMilliseconds());
    return ready > 0;
}

} // namespace

void RunEventLoop(FltkTimerService& timers, const std::vector<int>& watchedFds,
                  const std::function<bool()>& done) {
    std::vector<pollfd> fds;
    fds.push_back({ConnectionNumber(fl_display), POLLIN, 0});
    for (const int fd : watchedFds) {
        fds.push_back({fd, POLLIN, 0});
    }
    RequestFlusher flusher;
    unsigned long repliesSeen = LastKnownRequestProcessed(fl_display);
    auto nextSweep = std::chrono::steady_clock::now();
    while (!done()) {
        // A handler that waited for a reply from the server may have had events read along
        // with it; they then wait inside Xlib while the connection is no longer readable.
        // Once a second the connection is read anyway, so that no other way for events to
        // end up held inside Xlib can keep them waiting longer than that.
        const auto now = std::chrono::steady_clock::now();
        if (LastKnownRequestProcessed(fl_display) != repliesSeen || now >= nextSweep) {
            XEventsQueued(fl_display, QueuedAfterReading);
            repliesSeen = LastKnownRequestProcessed(fl_display);
            nextSweep = now + std::chrono::seconds(1);
        }
        // Events Xlib has already read wait in its queue, not on the connection.
        const bool input = XQLength(fl_display) > 0 || WaitForInput(timers, fds);
        FltkEventPump::InputChecked();
        // The idle ticks slept through came before the input.
        timers.CatchUp();
        if (input) {
            Fl::check(); // handles the input, FLTK's own timeouts, and draws and flushes
            flusher.Sent();
        }
        timers.RunDue();
        if (Fl::damage() != 0) {
            Fl::flush();
            flusher.Sent();
        }
        flusher.Flush();
    }
}

} // namespace diglux
