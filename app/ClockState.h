// The clock window's running state that several components share: every setting (named
// after its stored value, "." written as "_") and the shared display, alarm and entry fields.
// Plain data; the components that own each rule change it.
#pragma once

#include "host/HostTypes.h"

#include <array>
#include <cstdint>
#include <string>

namespace diglux {

struct ClockState {
    // --- settings, with the defaults an empty store gives ---------------------------------
    bool Blink = false;
    bool Alarm_Enabled = false;
    std::string Alarm_Time = "00:00";
    bool Alarm_SagZeit = true;
    bool Signal = true;
    std::int16_t Dock = 0;
    bool ShowInTask = false;
    bool ISerifOff = false; // stored inverted as "Serife.I"
    bool SagZeit = false;
    std::int16_t SagZeit_Start = 10;
    std::int16_t SagZeit_Ende = 22;
    bool AutoStartAlways = false; // stored together with AutoStartAuto as "AutoStart"
    bool AutoStartAuto = true;
    bool Volume_Set = false;
    std::int32_t Volume_Master = 50;
    std::int32_t Volume_Wave = 100;
    std::int16_t Text_2 = 1;
    std::int16_t Color_R = 95;
    std::int16_t Color_G = 255;
    std::int16_t Color_B = 47;
    std::int16_t Color_Offset = 0;

    // --- time display -----------------------------------------------------------------------
    bool DisplayValid = false;
    int LastDrawnHour = -1;
    int LastDrawnMinute = -1;
    int LastDrawnSecond = -1;
    LocalDateTime LastDrawnDate{0, 0, 0, 0, 0, 0};
    int BellState = 0;
    int BellDrawn = 2;
    bool NoSignalMark = false;
    bool NoSagZeitMark = false;

    // --- colour -------------------------------------------------------------------------------
    bool ColorDirty = true;
    Rgb EffColor{};
    std::int16_t ColorStep = 8;

    // --- main tick ----------------------------------------------------------------------------
    int ColonPhase = 0;
    std::string TickTime;
    LocalDateTime TickNow{0, 0, 0, 0, 0, 0};

    // --- alarm and alarm-time entry -----------------------------------------------------------
    bool AlarmRinging = false;
    bool AlarmTrigger = false;
    bool AlarmSpeakDue = false;
    bool AlarmEntryMode = false;
    std::array<int, 4> EntryDigits{0, 0, 0, 0};
    int EntryPos = 0;
    std::array<int, 4> DigitLimits{2, 9, 5, 9};
    std::string AlarmTimeBackup;

    // --- window position bookkeeping ----------------------------------------------------------
    std::int32_t SaveCountdown = 0;
    std::int32_t LoadCountdown = 0;
    std::int32_t OrientationIndex = 0;

    // --- program identity and files -----------------------------------------------------------
    std::string VersionText;
    std::string AlarmWavPath;
    std::string SagZeitWavPath;
    std::string VoiceResType;
    std::string SoundResType;
    double TwipsPerPixelX = 1.0;
    double TwipsPerPixelY = 1.0;
};

} // namespace diglux
