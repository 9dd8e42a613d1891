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
    RegistryAccess registry{backend};
    Environment environment{host.system, host.desktop, host.clock, host.resources, &host.files};
    DpiCheck check{registry, environment, host.desktop, host.processes};
};

// A scaled desktop with the old-style scaling: the warning names the scaling (rounded half to
// even) and the DPI; Yes switches the old style off and asks to log off, No being the default.
TEST_F(DpiCheckTest, ScaledDesktopWithTheOldStyleWarnsAndOnYesAsksToLogOff) {
    EXPECT_EQ(ScalingPercent(84), 88);
    Dpi(120);
    host.desktop.answer = MessageResult::Yes;
    EXPECT_EQ(check.Run(true, false), DpiCheckResult::Warned);
    ASSERT_EQ(host.desktop.boxes.size(), 2u);
    EXPECT_TRUE(host.desktop.boxes[0].text.starts_with(
        "  Sie verwenden eine Desktop-Skalierung von 125% (120 DPI).\r\n  Das Programm"));
    EXPECT_EQ(host.desktop.boxes[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(host.desktop.boxes[1].text, DpiLogoffText(true));
    EXPECT_EQ(host.desktop.boxes[1].defaultButton, 2);
    EXPECT_EQ(registry.RegistryValue(kUseDpiScaling), DynamicValue(std::int32_t{1}));
    EXPECT_EQ(host.CallsStartingWith("processes."), (std::vector<std::string>{"processes.LogOff"}));
    // Switched off now: the next start says nothing.
    host.desktop.boxes.clear();
    EXPECT_EQ(check.Run(true, false), DpiCheckResult::NothingToDo);
    EXPECT_TRUE(host.desktop.boxes.empty());
}

// The flags that keep the old scaling are removed, the rest kept, and the program restarts;
// without them nothing restarts.
TEST_F(DpiCheckTest, CompatibilityFlagsAreRemovedAndTheProgramRestarts) {
    Dpi(96);
    registry.RegistrySet(kLayers, "~ highdpiaware DISABLEDWM");
    EXPECT_EQ(check.Run(true, false), DpiCheckResult::RestartNeeded);
    EXPECT_EQ(registry.RegistryValue(kLayers), DynamicValue("~"));
    EXPECT_EQ(host.CallsStartingWith("processes."),
              (std::vector<std::string>{"processes.Start Explorer.exe /opt/diglux/diglux.bin"}));
    host.log.clear();
    EXPECT_EQ(check.Run(true, false), DpiCheckResult::NothingToDo);
    EXPECT_TRUE(host.CallsStartingWith("processes.").empty());
}

// Only Windows 7 and 8 are checked.
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
