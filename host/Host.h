// Everything the core asks of the platform, handed to the core as one bundle of references.
#pragma once

#include "Clock.h"
#include "ClockWindowHost.h"
#include "Desktop.h"
#include "EventPump.h"
#include "FileSystem.h"
#include "ImageDecoder.h"
#include "MixerDevice.h"
#include "Processes.h"
#include "RegistryBackend.h"
#include "Resources.h"
#include "SoundDevice.h"
#include "SystemInfo.h"
#include "TimerService.h"

namespace diglux {

struct Host {
    Clock& clock;
    EventPump& events;
    TimerService& timers;
    ClockWindowHost& window;
    Desktop& desktop;
    SoundDevice& sound;
    MixerDevice& mixer;
    RegistryBackend& registry;
    Processes& processes;
    SystemInfo& system;
    Resources& resources;
    ImageDecoder& images;
    FileSystem& files;
};

} // namespace diglux
