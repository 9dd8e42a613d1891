// The clock's idle loop: sleeps in one poll() on the X connection and the given descriptors
// until input arrives or a tick is due that may act, lets FLTK handle input only when there is
// some, runs the due timers itself and flushes what they drew. Ticks that would change nothing
// are slept through and counted, and each wake-up costs one system call instead of FLTK's
// three.
#pragma once

#include "host/linux/FltkTimerService.h"

#include <functional>
#include <vector>

namespace diglux {

// Runs until done() is true; watchedFds are descriptors FLTK watches (Fl::add_fd) that
// must wake the loop too.
void RunEventLoop(FltkTimerService& timers, const std::vector<int>& watchedFds,
                  const std::function<bool()>& done);

} // namespace diglux
