// The parts the clock window is built from, in the order they are constructed: each takes
// references to the parts above it. Private to app/ (and to the tests, which look inside).
#pragma once

#include "alarm/Alarm.h"
#include "app/MainTick.h"
#include "app/MainWindow.h"
#include "app/SettingsStorage.h"
#include "app/StartupChecks.h"
#include "commands/AlarmEntry.h"
#include "commands/KeyCommands.h"
#include "display/ClockFace.h"
#include "display/GlyphMaps.h"
#include "display/TextDisplay.h"
#include "display/TimeDisplay.h"
#include "model/ProgramInfo.h"
#include "model/Settings.h"
#include "platform/Environment.h"
#include "speech/SndMixer.h"
#include "speech/SoundPlayer.h"
#include "speech/VoicePlayer.h"
#include "store/RegistryAccess.h"
#include "store/SettingsStore.h"
#include "window/PointerInput.h"
#include "window/WindowPlacement.h"

#include <string>

namespace diglux {

struct MainWindow::Parts {
    Parts(const Host& h, MainWindow& window);

    // Pushes what changed to the screen, then lets pending events run.
    void DoEvents() {
        face.Present(host.window);
        host.events.DoEvents();
    }

    // The timers of the window, made disabled by the constructor.
    struct Timers {
        TimerId timer1 = 0;     // the main tick, 100 ms
        TimerId timerAlarm = 0; // the alarm tick, 500 ms
        TimerId timerSound = 0; // never enabled; only switched off at the end
        TimerId timerScr = 0;   // the scroll steps, 5 ms, only while a text scrolls
    };
    enum class Phase { Starting, Running, Closing, Ended };

    Host host;
    Settings settings;
    std::string versionText;
    TempWavFiles wavFiles;
    ClockFace face;
    GlyphMaps maps;
    TextDisplay text;
    TimeDisplay time;
    RegistryAccess registryAccess;
    SettingsStore store;
    Environment environment;
    SoundPlayer sound;
    VoicePlayer voice;
    SndMixer mixer;
    WindowPlacement placement;
    SettingsStorage storage;
    Alarm alarm;
    AlarmEntry entry;
    MainTick tick;
    KeyCommands keys;
    PointerInput pointer;
    StartupChecks checks;
    Timers timers;
    Phase phase = Phase::Starting;
    bool displayLost = false; // nothing can be shown any more: the window is left alone
};

} // namespace diglux
