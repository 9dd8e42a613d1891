#include "host/linux/FltkEventPump.h"

#include <FL/Fl.H>

#include <chrono>

namespace diglux {
namespace {

std::chrono::steady_clock::time_point lastInputCheck;

} // namespace

void FltkEventPump::InputChecked() {
    lastInputCheck = std::chrono::steady_clock::now();
}

void FltkEventPump::DoEvents() {
    if (std::chrono::steady_clock::now() - lastInputCheck < std::chrono::milliseconds(kRecheckMs)) {
        Fl::flush(); // draws what changed and sends it
        return;
    }
    Fl::check();
}

} // namespace diglux
