// The display-scaling check: the versions it runs on, the compatibility flags, the warning
// and the log-off question.
#include "platform/DpiCheck.h"
#include "tests/store/TreeRegistry.h"
#include "tests/support/FakeHost.h"

#include <gtest/gtest.h>

namespace diglux::test {
namespace {

constexpr const char* kUseDpiScaling = "HKCU\\Software\\Microsoft\\Windows\\DWM\\UseDpiScaling";
constexpr const char* kAppliedDpi = "HKCU\\Control Panel\\Desktop\\WindowMetrics\\AppliedDPI";
constexpr const char* kLayers = "HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\"
                                "AppCompatFlags\\Layers\\\\/opt/diglux/diglux.bin";

class DpiCheckTest : public ::testing::Test {
  protected:
    DpiCheckTest() { host.system.os = {2, 6, 1}; }
    void Dpi(int dpi) { registry.RegistrySet(kAppliedDpi, std::int32_t{dpi}); }

    FakeHost host;
    TreeRegistry backend;
    RegistryAccess registry{backend, host.desktop};
    Environment environment{host.system, host.desktop, host.clock, host.resources, &host.files};
    DpiCheck check{registry, environment, host.desktop, host.processes};
};

// The warning names the scaling and the DPI in its first line; the note asks to log off only
// when it can.
TEST(DpiTexts, WarningAndNoteWithTheirLineBreaks) {
    EXPECT_TRUE(DpiWarningText(125, 120).starts_with(
        "  Sie verwenden eine Desktop-Skalierung von 125% (120 DPI).\r\n  Das Programm"));
    EXPECT_EQ(DpiLogoffText(true),
              DpiLogoffText(false) + "\r\n\r\n  Möchsten Sie sich jetzt neu anmelden?");
}

TEST(DpiTexts, PercentRoundsHalfToEven) {
    // 60 and 84 DPI are 62.5 and 87.5 percent.
    for (const auto& [dpi, percent] : std::vector<std::pair<int, int>>{
             {96, 100}, {120, 125}, {144, 150}, {0, 0}, {60, 62}, {84, 88}}) {
        EXPECT_EQ(ScalingPercent(dpi), percent) << dpi;
    }
}

TEST_F(DpiCheckTest, ScaledDesktopWithTheOldStyleWarnsAndOnYesAsksToLogOff) {
    Dpi(120);
    host.desktop.answer = MessageResult::Yes;
    EXPECT_EQ(check.Run(true, false), DpiCheckResult::Warned);
    ASSERT_EQ(host.desktop.boxes.size(), 2u);
    const MessageBoxRequest& warning = host.desktop.boxes[0];
    const MessageBoxRequest& note = host.desktop.boxes[1];
    EXPECT_EQ(warning.text, DpiWarningText(125, 120));
    EXPECT_EQ(warning.title, " WARNUNG:  Desktop-Skalierung aktiv");
    EXPECT_EQ(warning.icon, MessageIcon::Exclamation);
    EXPECT_EQ(warning.buttons, MessageButtons::YesNo);
    EXPECT_EQ(note.text, DpiLogoffText(true));
    EXPECT_EQ(note.title, " HINWEIS:");
    EXPECT_EQ(note.icon, MessageIcon::Critical);
    EXPECT_EQ(note.defaultButton, 2) << "No is the default";
    EXPECT_EQ(registry.RegistryValue(kUseDpiScaling), DynamicValue(std::int32_t{1}));
    EXPECT_EQ(host.CallsStartingWith("processes."), (std::vector<std::string>{"processes.LogOff"}));
    // Switched off now: the next start says nothing.
    host.desktop.boxes.clear();
    EXPECT_EQ(check.Run(true, false), DpiCheckResult::NothingToDo);
    EXPECT_TRUE(host.desktop.boxes.empty());
}

TEST_F(DpiCheckTest, NoLeavesTheScalingAloneAndMissingDpiWarnsWithZero) {
    host.desktop.answer = MessageResult::No;
    EXPECT_EQ(check.Run(false, false), DpiCheckResult::Warned);
    ASSERT_EQ(host.desktop.boxes.size(), 1u);
    EXPECT_EQ(host.desktop.boxes[0].text, DpiWarningText(0, 0));
    EXPECT_TRUE(registry.RegistryValue(kUseDpiScaling).IsEmpty());
    EXPECT_TRUE(host.CallsStartingWith("processes.").empty());
}

TEST_F(DpiCheckTest, SilentCheckSwitchesTheOldStyleOffWithoutAsking) {
    Dpi(144);
    host.system.os = {2, 6, 2};
    EXPECT_EQ(check.Run(true, true), DpiCheckResult::Warned);
    EXPECT_TRUE(host.desktop.boxes.empty());
    EXPECT_EQ(registry.RegistryValue(kUseDpiScaling), DynamicValue(std::int32_t{1}));
}

TEST_F(DpiCheckTest, DpiIsReadOnceItIsKnown) {
    Dpi(120);
    registry.RegistrySet(kUseDpiScaling, std::int32_t{1});
    EXPECT_EQ(check.Run(true, false), DpiCheckResult::NothingToDo);
    Dpi(96);
    registry.RegistrySet(kUseDpiScaling, std::int32_t{0});
    host.desktop.answer = MessageResult::No;
    EXPECT_EQ(check.Run(true, false), DpiCheckResult::Warned) << "still 120 DPI for this run";
}

TEST_F(DpiCheckTest, CompatibilityFlagsAreRemovedAndTheProgramRestarts) {
    Dpi(96);
    registry.RegistrySet(kLayers, "HIGHDPIAWARE DISABLEDWM");
    EXPECT_EQ(check.Run(true, false), DpiCheckResult::RestartNeeded);
    EXPECT_TRUE(registry.RegistryValue(kLayers).IsEmpty()) << "nothing left: the value goes";
    EXPECT_EQ(host.CallsStartingWith("processes."),
              (std::vector<std::string>{"processes.Start Explorer.exe /opt/diglux/diglux.bin"}));

    registry.RegistrySet(kLayers, "~ highdpiaware");
    EXPECT_EQ(check.Run(true, false), DpiCheckResult::RestartNeeded);
    EXPECT_EQ(registry.RegistryValue(kLayers), DynamicValue("~"));

    registry.RegistrySet(kLayers, "RUNASADMIN");
    host.log.clear();
    EXPECT_EQ(check.Run(true, false), DpiCheckResult::NothingToDo);
    EXPECT_EQ(registry.RegistryValue(kLayers), DynamicValue("RUNASADMIN"));
    EXPECT_TRUE(host.CallsStartingWith("processes.").empty());
}

TEST_F(DpiCheckTest, OtherVersionsAreNotChecked) {
    Dpi(120);
    registry.RegistrySet(kLayers, "HIGHDPIAWARE");
    for (const auto& [major, minor] : {std::pair{5, 1}, {6, 0}, {6, 3}, {10, 0}}) {
        host.system.os = {2, major, minor};
        EXPECT_EQ(check.Run(true, false), DpiCheckResult::NothingToDo) << major << "." << minor;
    }
    EXPECT_TRUE(host.desktop.boxes.empty());
    EXPECT_EQ(registry.RegistryValue(kLayers), DynamicValue("HIGHDPIAWARE"));
}

} // namespace
} // namespace diglux::test
