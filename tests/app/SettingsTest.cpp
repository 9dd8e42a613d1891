// The settings model: loading with the conversions of hand-edited values, SetSave's order and
// encodings, the positions of both orientations and the countdown that saves the window position.
#include "app/Settings.h"
#include "display/ClockFace.h"
#include "display/GlyphMaps.h"
#include "store/RegistryAccess.h"
#include "tests/support/FakeHost.h"

#include <gtest/gtest.h>

namespace diglux::test {
namespace {

constexpr const char* kBase = "HKCU\\Software\\Tandemark\\Diglux\\";

class SettingsTest : public ::testing::Test {
  protected:
    SettingsTest() {
        std::string error;
        maps.LoadMasters(host.resources, host.images, error);
        maps.Recolor({95, 255, 47});
    }

    void Put(const std::string& name, const DynamicValue& value) {
        access.RegistrySet(kBase + name, value);
    }
    std::string Stored(const std::string& name) {
        return access.RegistryValue(kBase + name).TextForm().value_or("<none>");
    }
    // The names SetSave wrote, in order.
    std::vector<std::string> Written() {
        std::vector<std::string> names;
        for (const std::string& entry : host.CallsStartingWith("registry.SetValue ")) {
            names.push_back(entry.substr(std::string("registry.SetValue ").size()));
        }
        return names;
    }
    void SetAutoStart() {
        order.push_back("SetAutoStart " + std::to_string(state.AutoStartAuto) + " volume " +
                        std::to_string(state.Volume_Master));
    }

    FakeHost host;
    ClockState state;
    ClockFace face;
    GlyphMaps maps;
    int doEvents = 0;
    std::vector<std::string> order; // what happened around the autostart hook
    std::function<void()> countDoEvents = [this] { ++doEvents; };
    TextDisplay text{state, face, maps, host.clock, host.timers, host.window, countDoEvents};
    RegistryAccess access{host.registry};
    SettingsStore store{access, "Tandemark", "Diglux"};
    Environment environment{host.system, host.desktop, host.clock, host.resources, &host.files};
    Settings settings{state,       store, host.window,   host.desktop,
                      environment, text,  countDoEvents, [this] { SetAutoStart(); }};
};

// Older systems had a louder wave line: the wave volume's default is halved there, and a
// stored value wins.
TEST_F(SettingsTest, WaveVolumeDefaultIsHalvedOnOlderSystems) {
    settings.Load();
    EXPECT_EQ(state.Volume_Wave, 100);
    host.system.os = {2, 5, 1};
    settings.Load();
    EXPECT_EQ(state.Volume_Wave, 50);
    Put("Volume.Wave", "80");
    settings.Load();
    EXPECT_EQ(state.Volume_Wave, 80);
}

TEST_F(SettingsTest, HandEditedValuesFollowEachConversion) {
    Put("Blink", "");           // only "0" is off
    Put("Alarm.Enabled", "ja"); // any word is on
    Put("Signal", "0");
    Put("Alarm.SagZeit", "ja"); // numeric: a word is 0
    Put("SagZeit", " 0");       // not exactly "0"
    Put("Serife.I", "0");
    Put("SagZeit.Start", "7.5"); // halves to even
    Put("SagZeit.Ende", "6.5");
    Put("Dock", "5 Pixel");
    Put("Color.R", "99999"); // beyond 16 bits: the largest
    Put("Color.Offset", "-12");
    Put("Text.2", DynamicValue(std::int32_t{3})); // a number stored by hand as a DWORD
    Put("Alarm.Time", "7:5 Uhr");
    settings.Load();
    EXPECT_TRUE(state.Blink);
    EXPECT_TRUE(state.Alarm_Enabled);
    EXPECT_FALSE(state.Signal);
    EXPECT_TRUE(state.NoSignalMark);
    EXPECT_FALSE(state.Alarm_SagZeit);
    EXPECT_TRUE(state.SagZeit);
    EXPECT_FALSE(state.NoSagZeitMark);
    EXPECT_TRUE(state.ISerifOff);
    EXPECT_EQ(state.SagZeit_Start, 8);
    EXPECT_EQ(state.SagZeit_Ende, 6);
    EXPECT_EQ(state.Dock, 5);
    EXPECT_EQ(state.Color_R, 32767);
    EXPECT_EQ(state.Color_Offset, -12);
    EXPECT_EQ(state.Text_2, 3);
    EXPECT_EQ(state.Alarm_Time, "7:5 Uhr");

    settings.SetSave();
    for (const auto& [name, text] :
         std::vector<std::pair<std::string, std::string>>{{"Serife.I", "0"},
                                                          {"Blink", "1"},
                                                          {"Alarm.SagZeit", "0"},
                                                          {"SagZeit.Start", "8"},
                                                          {"Text.2", "3"}}) {
        EXPECT_EQ(Stored(name), text) << name;
    }
}

// Nothing stored means autostart when needed; the autostart entry is set right after AutoStart
// is loaded, before the volumes.
TEST_F(SettingsTest, AutoStartTakesOnlyExactlyOneOrTwo) {
    Put("Volume.Master", "70");
    settings.Load();
    EXPECT_EQ(order, (std::vector<std::string>{"SetAutoStart 1 volume 50"}));
    EXPECT_EQ(state.Volume_Master, 70);
    const std::vector<std::pair<std::string, std::pair<bool, bool>>> cases{
        {"0", {false, false}},   {"1", {true, false}},  {"2", {false, true}},
        {"1.5", {false, false}}, {"2 ", {false, true}}, {"-1", {false, false}}};
    for (const auto& [text, flags] : cases) {
        Put("AutoStart", text);
        settings.Load();
        EXPECT_EQ(state.AutoStartAlways, flags.first) << text;
        EXPECT_EQ(state.AutoStartAuto, flags.second) << text;
    }
    settings.SetSave(); // the last case switched both off
    EXPECT_EQ(Stored("AutoStart"), "0");
    state.AutoStartAlways = true;
    state.AutoStartAuto = true;
    settings.SetSave();
    EXPECT_EQ(Stored("AutoStart"), "1");
    state.AutoStartAlways = false;
    settings.SetSave();
    EXPECT_EQ(Stored("AutoStart"), "2");
}

TEST_F(SettingsTest, SetSaveWritesThePositionThenEverySettingInOrder) {
    host.window.rect = {140, 75, 654, 238};
    settings.SetSave();
    EXPECT_EQ(Written(),
              (std::vector<std::string>{
                  "Window.Top",    "Window.Left", "Blink",        "Alarm.Enabled", "Alarm.Time",
                  "Alarm.SagZeit", "Signal",      "Serife.I",     "Dock",          "Color.R",
                  "Color.G",       "Color.B",     "Color.Offset", "Volume.Set",    "Volume.Master",
                  "Volume.Wave",   "ShowInTask",  "SagZeit",      "SagZeit.Start", "SagZeit.Ende",
                  "Text.2",        "AutoStart"}));
    EXPECT_EQ(Stored("Window.Top"), "75");
    EXPECT_EQ(Stored("Window.Left"), "140");
}

TEST_F(SettingsTest, PositionsOfBothOrientationsAreIndependent) {
    host.window.rect = {100, 200, 654, 238};
    settings.SaveOrientation();
    host.desktop.desktop = {0, 0, 1080, 1920};
    host.window.rect = {300, 400, 654, 238};
    settings.SaveOrientation();
    EXPECT_EQ(Stored("Window.Left.P"), "300");
    EXPECT_EQ(Stored("Window.Top.P"), "400");
    host.desktop.desktop = {0, 0, 1920, 1080};
    settings.LoadOrientation();
    EXPECT_EQ(host.window.rect.left, 100);
    EXPECT_EQ(host.window.rect.top, 200);
    // Logical units: the stored pixels times the units per pixel, not rounded.
    Put("Window.Left", "10.5");
    state.TwipsPerPixelX = 15.0;
    host.log.clear();
    settings.LoadOrientation();
    EXPECT_EQ(host.CallsStartingWith("window.Move"),
              (std::vector<std::string>{"window.Move 157 200"}));
}

TEST_F(SettingsTest, SaveCountdownWritesOnTheSecondCallAndDropsAPendingLoad) {
    state.SaveCountdown = 2;
    state.LoadCountdown = 2;
    host.window.rect = {50, 60, 654, 238};
    settings.ChkLoadSave();
    EXPECT_TRUE(Written().empty());
    EXPECT_EQ(state.LoadCountdown, 2) << "the load waits while a save is pending";
    settings.ChkLoadSave();
    EXPECT_EQ(Written(), (std::vector<std::string>{"Window.Top", "Window.Left"}));
    EXPECT_EQ(state.LoadCountdown, 0);
    EXPECT_TRUE(host.CallsStartingWith("window.Move").empty());
    EXPECT_EQ(doEvents, 0);
}

} // namespace
} // namespace diglux::test
