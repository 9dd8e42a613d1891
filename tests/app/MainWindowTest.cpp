// The order of start-up and shutdown as the platform sees it, the refusals, and the settings
// loaded at the start and saved at the end: the defaults of an empty store, the wave volume's
// default on older systems, what the store hands over for hand-stored numbers, SetSave's order;
// no manifest on Linux. The main tick against the fake clock: second
// changes, the two redraws of a second, the alarm's start and end, the hourly signal and a
// turned desktop.
#include "tests/support/ClockFixture.h"

#include <functional>

namespace diglux::test {
namespace {

// The window, timer, sound and sleep calls, without the 12 ms pauses of the text field's roll.
CallLog WindowAndTimerCalls(const FakeHost& host) {
    CallLog calls = host.CallsStartingWith("window.", "timers.", "sound.", "clock.");
    std::erase(calls, "clock.Sleep 12");
    return calls;
}

class StartupShutdownTest : public ClockFixture {};

// The scroll timer (4) runs for the welcome text, started after the window is shown; the field
// rolls in from blanks a quarter frame at a time, pausing 12 ms each time; the window has been
// given the whole face once.
TEST_F(StartupShutdownTest, FirstStartPlacesTheWindowStartsTheTimersAndTheWelcome) {
    Start();
    EXPECT_EQ(WindowAndTimerCalls(host),
              (CallLog{"window.Move 32 32", "window.EnableDropShadow", "timers.SetEnabled 1 on",
                       "timers.SetEnabled 2 on", "window.SetTaskbarButton 0", "window.Show",
                       "timers.SetEnabled 4 on"}));
    EXPECT_GT(host.CallsStartingWith("clock.Sleep 12").size(), 20u);
    EXPECT_EQ(host.window.refreshed.at(0), (Rect{0, 0, 654, 238}));
    EXPECT_EQ(host.window.frame, &In().face.Frame());
}

// Every way out stops everything in order and saves the settings before the window goes, once;
// keys that only look alike do not close. A display that has gone away gets the same shutdown
// without the window (a server that is gone cannot show the farewell), and still saves.
TEST_F(StartupShutdownTest, EveryWayOfClosingStopsEverythingInOrderAndSavesOnce) {
    using Sink = MainWindow;
    // The timers in order; the farewell's forced text stops the scroll timer once more.
    const CallLog timers{"timers.SetEnabled 1 off", "timers.SetEnabled 2 off",
                         "timers.SetEnabled 3 off", "timers.SetEnabled 4 off"};
    CallLog unseen{"sound.Stop"};
    unseen.insert(unseen.end(), timers.begin(), timers.end());
    unseen.push_back("clock.Sleep 250");
    CallLog shown{"sound.Stop", "window.SetTopmost 0 0"};
    shown.insert(shown.end(), timers.begin(), timers.end());
    shown.insert(shown.end(), {"timers.SetEnabled 4 off", "clock.Sleep 250", "window.Destroy"});
    const std::vector<std::tuple<std::string, std::function<void(Sink&)>, CallLog>> ways{
        {"window manager", [](Sink& s) { s.OnCloseRequest(UnloadReason::UserClose); }, shown},
        {"session end", [](Sink& s) { s.OnCloseRequest(UnloadReason::SessionEnd); }, shown},
        {"Esc", [](Sink& s) { s.OnKeyDown(Key::Escape, 0); }, shown},
        {"Alt+F4", [](Sink& s) { s.OnKeyDown(Key::F4, kAlt); }, shown},
        {"close button",
         [](Sink& s) {
             s.OnMouseMove(0, 0, {640, 10});
             s.OnMouseDown(kLeftButton, 0, {640, 10});
             s.OnMouseUp(kLeftButton, 0, {640, 10});
         },
         shown},
        {"display lost", [](Sink& s) { s.OnDisplayLost(); }, unseen}};
    for (const auto& [name, close, calls] : ways) {
        FakeHost other;
        MainWindow window(other.Bundle());
        ASSERT_EQ(window.Load().outcome, StartupResult::Outcome::Running) << name;
        window.OnKeyDown(Key::Escape, kShift); // Shift+Esc is not Esc
        window.OnKeyDown(Key::F4, 0);
        EXPECT_FALSE(window.Ended()) << name;
        other.log.clear();
        close(window);
        EXPECT_TRUE(window.Ended()) << name;
        EXPECT_EQ(WindowAndTimerCalls(other), calls) << name;
        const CallLog saved = other.CallsStartingWith("registry.SetValue");
        EXPECT_EQ(saved.size(), 22u) << name;
        EXPECT_EQ(saved.back(), "registry.SetValue AutoStart") << name;
        other.log.clear();
        close(window);
        window.OnCloseRequest(UnloadReason::UserClose);
        EXPECT_TRUE(other.log.empty()) << name;
    }
}

// Keys run while the start-up lets events run (the field rolls in for seconds): Escape then
// closes the clock for good, and the rest of the start-up does not bring it back.
TEST_F(StartupShutdownTest, EscapeWhileStartingEndsTheClock) {
    clock = std::make_unique<MainWindow>(host.Bundle());
    host.events.pending = [this] { clock->OnKeyDown(Key::Escape, 0); };
    EXPECT_EQ(clock->Load().outcome, StartupResult::Outcome::Running);
    EXPECT_TRUE(clock->Ended());
    EXPECT_EQ(host.CallsStartingWith("window.Destroy").size(), 1u);
}

// A key or a click while the farewell runs does not start the shutdown again inside it.
TEST_F(StartupShutdownTest, InputDuringTheFarewellDoesNotCloseAgain) {
    Start();
    host.log.clear();
    host.events.pending = [this] {
        clock->OnKeyDown(Key::Escape, 0);
        clock->OnMouseDown(kLeftButton, 0, {640, 10});
    };
    clock->OnCloseRequest(UnloadReason::UserClose);
    EXPECT_EQ(host.CallsStartingWith("registry.SetValue").size(), 22u);
    EXPECT_EQ(host.CallsStartingWith("window.Destroy").size(), 1u);
}

// A glyph map that cannot serve is refused by its name, before the window is shown.
TEST_F(StartupShutdownTest, UnusableMapsAreRefusedByName) {
    RgbImage colourful(736, 66, {128, 128, 128});
    for (int i = 0; i < 257; ++i) {
        colourful.Set(i, 0,
                      {static_cast<std::uint8_t>(i % 256), static_cast<std::uint8_t>(i / 256), 9});
    }
    const std::vector<std::tuple<std::string, std::vector<std::uint8_t>, std::string>> cases{
        {"PICMAP7S", EncodeGreyPng(10, 12, std::vector<std::uint8_t>(10 * 12, 128)),
         "glyph map PicMap7S is 10 x 12 pixels; it must be 736 x 66"},
        {"PICMAP7S", EncodeRgbPng(colourful),
         "glyph map PicMap7S has more than 256 colours; a map may have at most 256"},
        {"PICBUT", {1, 2, 3}, "glyph map PicBut cannot be read: not a PNG file"}};
    for (const auto& [name, bytes, error] : cases) {
        FakeHost other;
        other.resources.Override("MAPS", name, bytes);
        MainWindow window(other.Bundle());
        const StartupResult result = window.Load();
        EXPECT_EQ(result.outcome, StartupResult::Outcome::Failed) << error;
        EXPECT_EQ(result.error, error);
        EXPECT_TRUE(other.CallsStartingWith("window.Show").empty()) << error;
    }
}

// Nothing stored: the defaults, and the autostart hook runs right after AutoStart is loaded,
// before the volumes.
TEST_F(StartupShutdownTest, DefaultsTheAutostartHookTheWaveVolumeOnOlderSystemsAndTheSaveOrder) {
    Start();
    EXPECT_EQ(In().settings, Settings{});
    In().store.SaveSettingValue("Volume.Master", "70");
    std::string seen;
    SettingsStorage storage(
        In().settings, In().store, In().placement, [] { return false; },
        [&] { seen = std::to_string(In().settings.Volume_Master); });
    In().settings.Volume_Master = 1;
    storage.Load();
    EXPECT_EQ(seen, "1");
    EXPECT_EQ(In().settings.Volume_Master, 70);

    // Older systems had a louder wave output: its default is halved there, and a stored value
    // wins. A number stored by hand as a DWORD reads by its decimal text.
    host.system.os = {2, 5, 1};
    In().storage.Load();
    EXPECT_EQ(In().settings.Volume_Wave, 50);
    In().store.SaveSettingValue("Volume.Wave", "80");
    In().store.SaveSettingValue("Text.2", std::int32_t{3});
    In().storage.Load();
    EXPECT_EQ(In().settings.Volume_Wave, 80);
    EXPECT_EQ(In().settings.Text_2, 3);

    // SetSave writes the position, then every setting in its order.
    host.window.rect = {140, 75, 654, 238};
    host.log.clear();
    In().storage.SetSave();
    CallLog names;
    for (const std::string& entry : host.CallsStartingWith("registry.SetValue ")) {
        names.push_back(entry.substr(18));
    }
    EXPECT_EQ(names, (CallLog{"Window.Top",   "Window.Left",   "Blink",         "Alarm.Enabled",
                              "Alarm.Time",   "Alarm.SagZeit", "Signal",        "Serife.I",
                              "Dock",         "Color.R",       "Color.G",       "Color.B",
                              "Color.Offset", "Volume.Set",    "Volume.Master", "Volume.Wave",
                              "ShowInTask",   "SagZeit",       "SagZeit.Start", "SagZeit.Ende",
                              "Text.2",       "AutoStart"}));
    EXPECT_EQ(Stored("Window.Top") + " " + Stored("Window.Left"), "75 140");
}

// A second instance is refused first (a 16-bit desktop then goes unmentioned), then desktops of
// 16 and 8 bits; other depths pass, an unknown one (0) too. A refusal is one box, before
// anything is shown or saved.
TEST(StartupChecks, SecondInstanceAndShallowDesktopsAreRefused) {
    const auto depth = [](int bits) {
        return "    Die Grafik-Auflösung ist derzeit auf " + std::to_string(bits) +
               " Bit eingestellt.    \r\n"
               "    Dieses Programm benötigt jedoch 24 Bit oder 32 Bit.    \r\n ";
    };
    const std::vector<std::tuple<bool, int, std::string, std::string>> cases{
        {true, 16, " ", "FEHLER:  Das Programm läuft bereits!      "},
        {false, 16, " Diglux Fehler:", depth(16)},
        {false, 8, " Diglux Fehler:", depth(8)},
        {false, 24, "", ""},
        {false, 15, "", ""},
        {false, 0, "", ""}};
    for (const auto& [otherInstance, bits, title, text] : cases) {
        FakeHost host;
        host.system.otherInstance = otherInstance;
        host.desktop.bitsPerPixel = bits;
        MainWindow window(host.Bundle());
        const bool refused = !text.empty();
        EXPECT_EQ(window.Load().outcome,
                  refused ? StartupResult::Outcome::Ended : StartupResult::Outcome::Running);
        EXPECT_EQ(host.CallsStartingWith("window.Show").size(), refused ? 0u : 1u) << bits;
        if (refused) {
            ASSERT_EQ(host.desktop.boxes.size(), 1u) << bits;
            EXPECT_EQ(host.desktop.boxes[0].title, title);
            EXPECT_EQ(host.desktop.boxes[0].text, text);
            EXPECT_EQ(host.desktop.boxes[0].icon, MessageIcon::Critical);
            EXPECT_TRUE(host.CallsStartingWith("registry.SetValue").empty()) << bits;
        }
    }
}

// On Linux no manifest is read: nothing is written beside the program and nothing restarts.
// (The restart once with a new manifest is the Windows build's to prove.)
TEST(StartupChecks, NoManifestIsWrittenAndNothingRestarts) {
    FakeHost host;
    EXPECT_EQ(MainWindow(host.Bundle()).Load().outcome, StartupResult::Outcome::Running);
    EXPECT_TRUE(host.CallsStartingWith("files.ReplaceFile").empty());
    EXPECT_TRUE(host.CallsStartingWith("processes.").empty());
}

class MainTickTest : public ClockFixture {
  protected:
    void SetUp() override {
        // Stand-ins for the signal and the pause clip, recognisable in the call log.
        host.resources.Override("SOUNDS", "PIEP", std::vector<std::uint8_t>(64, 1));
        host.resources.Override("VOICE1", "~", std::vector<std::uint8_t>(64, 0));
    }
    // Starts the clock at the given time and lets the first second pass its redraws.
    void StartAt(int hour, int minute, int second, const std::string& alarm = "") {
        host.clock.now = {2024, 3, 1, hour, minute, second};
        Start();
        TickAfter(0);
        In().settings.Alarm_Enabled = !alarm.empty();
        In().settings.Alarm_Time = alarm;
    }
    bool Ringing() { return In().alarm.AlarmRinging(); }
    std::size_t Pieps() const {
        return host.CallsStartingWith("sound.PlayWave SOUNDS/PIEP").size();
    }
};

TEST_F(MainTickTest, ColonIsLitForTheFirstFourTicksOfASecondAndOnlyTwoTicksRedraw) {
    StartAt(9, 5, 7);
    In().settings.Blink = true;
    TickAfter(1);
    In().face.Compose();
    std::vector<int> phases;
    std::vector<bool> redrawn;
    for (int tick = 1; tick <= 9; ++tick) {
        TickAfter(0);
        phases.push_back(In().time.ColonPhase());
        redrawn.push_back(!In().face.Compose().empty());
    }
    EXPECT_EQ(phases, (std::vector<int>{1, 1, 1, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(redrawn, (std::vector<bool>{1, 0, 0, 0, 1, 0, 0, 0, 0}));
}

// The alarm rings from its own second for 300 s more, raised to the top; the full hour it
// rings through is not signalled; at its end the sound stops and the window is released.
TEST_F(MainTickTest, AlarmRingsFromItsSecondForFiveMinutes) {
    StartAt(9, 57, 58, "09:58");
    RunSeconds(1);
    EXPECT_FALSE(Ringing());
    RunSeconds(1); // 09:58:00
    EXPECT_TRUE(Ringing());
    EXPECT_EQ(host.CallsStartingWith("window.SetTopmost"), (CallLog{"window.SetTopmost 1 1"}));
    RunSeconds(300); // 10:03:00 is the last ringing second
    EXPECT_TRUE(Ringing());
    EXPECT_EQ(Pieps(), 0u);
    host.log.clear();
    RunSeconds(1);
    EXPECT_FALSE(Ringing());
    EXPECT_EQ(host.log, (CallLog{"sound.Stop", "window.SetTopmost 0 0"}));
}

// Seconds count on the time of day only: an alarm at 23:58 ends at midnight. It does not ring
// while its time is being typed, nor once its second has passed unseen.
TEST_F(MainTickTest, AlarmEndsAtMidnightAndNeedsItsOwnSecond) {
    StartAt(23, 57, 59, "23:58");
    RunSeconds(1);
    EXPECT_TRUE(Ringing());
    RunSeconds(119);
    EXPECT_TRUE(Ringing());
    RunSeconds(1); // 00:00:00 of the next day counts as before the alarm time
    EXPECT_FALSE(Ringing());

    In().settings.Alarm_Time = "00:01";
    In().entry.Begin();
    RunSeconds(60);
    In().entry.Leave();
    RunSeconds(1); // 00:01:01: the trigger second has passed
    In().settings.Alarm_Time = "00:02";
    TickAfter(59); // a long block: 00:02:00 is skipped entirely
    RunSeconds(1);
    EXPECT_FALSE(Ringing());
}

// The signal sounds at a full hour from Start to Ende, both included; Start > Ende never
// signals, Start = Ende = 0 signals at midnight only; a full hour never seen is not signalled.
TEST_F(MainTickTest, HourlySignalOnlyInsideTheInclusiveRange) {
    StartAt(12, 0, 30);
    const std::vector<std::tuple<std::int16_t, std::int16_t, int, bool>> cases{
        {10, 22, 10, true},  {10, 22, 22, true}, {10, 22, 9, false},
        {10, 22, 23, false}, {22, 6, 23, false}, {22, 6, 3, false},
        {22, 6, 22, false},  {0, 0, 0, true},    {0, 0, 1, false}};
    for (const auto& [start, ende, hour, signalled] : cases) {
        host.clock.now = {2024, 3, 1, (hour + 23) % 24, 59, 58};
        TickAfter(0);
        In().settings.SagZeit_Start = start;
        In().settings.SagZeit_Ende = ende;
        const std::size_t before = Pieps();
        RunSeconds(4);
        EXPECT_EQ(Pieps() - before, signalled ? 1u : 0u) << start << ".." << ende << " at " << hour;
    }
    host.clock.now = {2024, 3, 1, 9, 59, 59};
    TickAfter(0);
    const std::size_t before = Pieps();
    TickAfter(2); // 10:00:00 never gets a tick of its own
    RunSeconds(2);
    EXPECT_EQ(Pieps(), before);
}

TEST_F(MainTickTest, FullHourPlaysSignalAndPausesThenTheAnnouncementOnce) {
    StartAt(9, 59, 59);
    In().settings.SagZeit = true;
    host.log.clear();
    RunSeconds(1);
    EXPECT_EQ(
        host.CallsStartingWith("sound.", "events."),
        (CallLog{"events.DoEvents", "sound.PlayWave SOUNDS/PIEP sync", "events.DoEvents",
                 "sound.PlayWave VOICE1/~ sync", "events.DoEvents", "sound.PlayWave VOICE1/~ sync",
                 "events.DoEvents", "sound.PlayWave memory async"}));
    // The joined announcement plays on while its sentence scrolls on the line.
    EXPECT_TRUE(In().text.Scrolling());
    for (int i = 0; i < 4; ++i) { // the next redraw of the same second does not signal again
        TickAfter(0);
    }
    EXPECT_EQ(Pieps(), 1u);
}

// A portrait start counts as unchanged; a desktop turned while the clock runs clicks, shows the
// new orientation and a second later moves the window to that orientation's stored place. A
// square desktop counts as landscape.
TEST_F(MainTickTest, TurnedDesktopMovesTheWindowToItsStoredPlace) {
    host.desktop.desktop = {0, 0, 1080, 1920};
    StartAt(12, 0, 30);
    In().store.SaveSettingValue("Window.Left", "11");
    In().store.SaveSettingValue("Window.Top", "22");
    RunSeconds(2);
    EXPECT_TRUE(host.CallsStartingWith("sound.PlayWave SOUNDS/PLONG").empty());
    host.desktop.desktop = {0, 0, 1000, 1000};
    host.log.clear();
    RunSeconds(1);
    EXPECT_EQ(host.CallsStartingWith("sound.PlayWave SOUNDS/PLONG").size(), 1u);
    EXPECT_EQ(In().text.Text1Shown(), "SET LANDSCAPE");
    EXPECT_TRUE(host.CallsStartingWith("window.Move").empty());
    RunSeconds(1);
    EXPECT_EQ(host.CallsStartingWith("window.Move"), (CallLog{"window.Move 11 22"}));
}

} // namespace
} // namespace diglux::test
