// Loading and saving through the store: the defaults of an empty store, the wave volume's
// default on older systems, what the store hands over for hand-stored numbers, SetSave's order.
#include "tests/support/ClockFixture.h"

namespace diglux::test {
namespace {

class SettingsStorageTest : public StartedClock {};

// Nothing stored: the defaults, and the autostart hook runs right after AutoStart is loaded,
// before the volumes.
TEST_F(SettingsStorageTest, DefaultsTheAutostartHookAndTheWaveVolumeOnOlderSystems) {
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
}

TEST_F(SettingsStorageTest, SetSaveWritesThePositionThenEverySettingInOrder) {
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

} // namespace
} // namespace diglux::test
