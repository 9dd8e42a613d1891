#include "host/linux/FltkEventPump.h"

#include <FL/Fl.H>

namespace diglux {

void FltkEventPump::DoEvents() {
    Fl::check();
}

} // namespace diglux
