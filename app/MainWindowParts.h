// The parts the clock window is built from, in the order they are constructed. Private to
// app/MainWindow*.cpp.
#pragma once

#include "alarm/AlarmTimer.h"
#include "app/ClockState.h"
#include "app/MainWindow.h"
#include "app/Settings.h"
#include "app/StartupChecks.h"
#include "commands/KeyCommands.h"
#include "display/ClockFace.h"
#include "display/GlyphMaps.h"
#include "display/TextDisplay.h"
#include "display/TimeDisplay.h"
#include "model/ProgramInfo.h"
#include "platform/DpiCheck.h"
#include "platform/Environment.h"
#include "platform/ManifestWriter.h"
#include "speech/SndMixer.h"
#include "speech/SoundPlayer.h"
#include "speech/VoicePlayer.h"
#include "store/RegistryAccess.h"
#include "store/SettingsStore.h"
#include "window/PointerInput.h"

#include <optional>
#include <random>

namespace diglux {

struct MainWindow::Parts {
    explicit Parts(const Host& h)
        : host(h), text(state, face, maps, h.clock, h.timers, h.window, [this] { DoEvents(); }),
          registryAccess(h.registry), store(registryAccess, kMakerName, kProductName),
          settings(state, store, h.window, h.desktop, environment, text, [this] { DoEvents(); }),
          environment(h.system, h.desktop, h.clock, h.resources, &h.files),
          sound(h.sound, h.resources),
          voice(sound, h.resources, h.desktop, h.clock, state, environment, &h.files),
          mixer(h.mixer, state), time(state, face, maps, h.clock, text),
          alarm(AlarmParts{state, face, maps, text, time, sound, mixer, voice, h.window, h.clock}),
          manifest(h.system, environment, h.files, kProductName),
          dpi(registryAccess, environment, h.desktop, h.processes),
          checks(StartupCheckParts{store, manifest, dpi, environment, h.system, h.desktop,
                                   h.processes}) {}

    Host host;
    ClockState state;
    ClockFace face;
    GlyphMaps maps;
    TextDisplay text;
    RegistryAccess registryAccess;
    SettingsStore store;
    Settings settings;
    Environment environment;
    SoundPlayer sound;
    VoicePlayer voice;
    SndMixer mixer;
    TimeDisplay time;
    AlarmTimer alarm;
    ManifestWriter manifest;
    DpiCheck dpi;
    StartupChecks checks;
    std::mt19937 random;
    std::optional<KeyCommands> keys;     // made by MainWindow, which closes the window for it
    std::optional<PointerInput> pointer; // likewise

    TimerId timer1 = 0;
    TimerId timerAlarm = 0;
    TimerId timerSound = 0;
    TimerId timerScr = 0;

    // Kept by the main tick from tick to tick.
    int halfSecondTicks = 0;
    int lastSecond = 0;
    long ticksInSecond = 0;

    bool started = false;
    bool ended = false;
    bool displayLost = false; // nothing can be shown any more: the window is left alone

    // Pushes what changed to the screen, then lets pending events run.
    void DoEvents() {
        face.Present(host.window);
        host.events.DoEvents();
    }
};

} // namespace diglux
