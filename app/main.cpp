// Diglux on Linux: opens the X display, builds the Linux host, and runs the clock window's
// start-up and then the FLTK event loop until the clock has shut down.
#include "app/MainWindow.h"
#include "host/EmbeddedResources.h"
#include "host/Host.h"
#include "host/linux/AlsaMixer.h"
#include "host/linux/AlsaSoundDevice.h"
#include "host/linux/FltkClockWindow.h"
#include "host/linux/FltkDesktop.h"
#include "host/linux/FltkEventLoop.h"
#include "host/linux/FltkEventPump.h"
#include "host/linux/FltkTimerService.h"
#include "host/linux/LinuxSystemInfo.h"
#include "host/linux/PngCodec.h"
#include "host/linux/PosixFileSystem.h"
#include "host/linux/PosixProcesses.h"
#include "host/linux/RegFileStore.h"
#include "host/linux/SessionEndSignals.h"
#include "host/linux/StdClock.h"
#include "host/linux/X11Display.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// One line on stderr. (No iostreams: their set-up costs every start time and memory.)
void ReportError(const std::string& error) {
    std::fprintf(stderr, "diglux: %s\n", error.c_str());
}

// Starts the clock window on the host and runs the event loop until the clock has ended.
int RunMainWindow(const diglux::Host& host, diglux::FltkClockWindow& window,
                  diglux::FltkTimerService& timers) {
    diglux::MainWindow mainWindow(host);
    window.SetEventSink(&mainWindow);
    bool started = false;
    diglux::SessionEndSignals sessionEnd([&mainWindow, &window, &started] {
        if (mainWindow.Ended()) {
            return;
        }
        if (!started && !window.IsVisible()) {
            // Still starting (perhaps in a start-up message box): nothing is there to save.
            std::exit(EXIT_SUCCESS);
        }
        mainWindow.OnCloseRequest(diglux::UnloadReason::SessionEnd);
    });

    const diglux::StartupResult startup = mainWindow.Load();
    started = true;
    switch (startup.outcome) {
    case diglux::StartupResult::Outcome::Failed:
        ReportError(startup.error);
        window.SetEventSink(nullptr);
        return EXIT_FAILURE;
    case diglux::StartupResult::Outcome::Ended:
        window.SetEventSink(nullptr);
        return EXIT_SUCCESS;
    case diglux::StartupResult::Outcome::Running:
        break;
    }
    std::vector<int> watched;
    if (sessionEnd.ReadFd() >= 0) {
        watched.push_back(sessionEnd.ReadFd());
    }
    diglux::RunEventLoop(timers, watched, [&mainWindow] {
        if (diglux::X11DisplayLost() && !mainWindow.Ended()) {
            // The X server has gone (ended or crashed) without the session's signal first:
            // the session is ending all the same, and what the clock shows is lost anyway.
            ReportError("the X display has gone away; closing and saving the settings");
            mainWindow.OnDisplayLost();
        }
        return mainWindow.Ended();
    });
    if (diglux::X11DisplayLost()) {
        // The settings are written; tearing down windows of a broken connection could only
        // fail, so the process ends here.
        std::fflush(nullptr);
        std::_Exit(EXIT_SUCCESS);
    }
    window.SetEventSink(nullptr);
    return EXIT_SUCCESS;
}

int RunClock() {
    diglux::StdClock clock;
    diglux::FltkEventPump events;
    diglux::FltkTimerService timers;
    diglux::FltkClockWindow window;
    diglux::FltkDesktop desktop;
    // Sound through ALSA, loaded on the first sound (SDL only for a WAVE file that is not plain
    // 16-bit PCM); where it cannot play, sounds fail silently.
    // The mixer finds nothing (and changes nothing) without a sound card or server.
    diglux::SdlOutputGain outputGain;
    diglux::AlsaSoundDevice sound(outputGain);
    diglux::AlsaMixer mixer(outputGain);
    diglux::RegFileStore registry(diglux::RegFileStore::DefaultConfigHome());
    diglux::PosixProcesses processes;
    diglux::LinuxSystemInfo system;
    diglux::EmbeddedResources resources;
    diglux::LibPngDecoder images;
    diglux::PosixFileSystem files;
    const diglux::Host host{clock,    events,    timers, window,    desktop, sound, mixer,
                            registry, processes, system, resources, images,  files};
    return RunMainWindow(host, window, timers);
}

} // namespace

int main() {
    std::string error;
    if (!diglux::OpenX11Display(error)) {
        ReportError(error);
        return EXIT_FAILURE;
    }
    return RunClock();
}
