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
#include "platform/DpiCheck.h"
#include "platform/Environment.h"
#include "platform/ManifestWriter.h"
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

    Host host;
    Settings settings;
    std::string versionText;
    std::string alarmWavPath;   // the alarm tone, written when the alarm starts
    std::string sagZeitWavPath; // the announcement file of older systems
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
    ManifestWriter manifest;
    DpiCheck dpi;
    StartupChecks checks;

    TimerId timer1 = 0;
    TimerId timerAlarm = 0;
    TimerId timerSound = 0;
    TimerId timerScr = 0;

    bool started = false;
    bool ended = false;
    bool displayLost = false; // nothing can be shown any more: the window is left alone
};

} // namespace diglux
