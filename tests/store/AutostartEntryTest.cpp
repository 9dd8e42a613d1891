// Run values as autostart entries: file names, the Exec line both ways, switched-off entries.
#include "store/AutostartEntry.h"

#include <gtest/gtest.h>

namespace diglux {
namespace {

TEST(AutostartEntry, FileNameIsTheLowerCaseValueName) {
    EXPECT_EQ(AutostartFileName("Diglux"), "diglux.desktop");
    EXPECT_EQ(AutostartFileName("My Clock"), "my clock.desktop");
    for (const char* refused : {"", ".", "..", "a/b", "../x", "a\nb"}) {
        EXPECT_EQ(AutostartFileName(refused), "") << refused;
    }
}

TEST(AutostartEntry, CommandSurvivesTheEntryWithItsEscapes) {
    for (const std::string command : {"/usr/bin/diglux", "\"/opt/my clock/diglux\" --x",
                                      " lead\\ing\ttab", "C:\\Prog\\D.exe"}) {
        EXPECT_EQ(AutostartCommand(AutostartEntryText("Diglux", command)), command);
    }
    const std::string entry = AutostartEntryText("Diglux", "/usr/bin/diglux");
    EXPECT_NE(entry.find("[Desktop Entry]\nType=Application\nName=Diglux\n"), std::string::npos);
}

TEST(AutostartEntry, ReadsOnlyTheMainGroupAndHonoursSwitchedOffEntries) {
    EXPECT_EQ(AutostartCommand("[Desktop Entry]\r\nName=X\r\nExec = a b \r\n"), "a b");
    EXPECT_EQ(AutostartCommand("[Desktop Action x]\nExec=other\n[Desktop Entry]\nExec=main\n"),
              "main");
    EXPECT_EQ(AutostartCommand("[Desktop Entry]\nName=X\n"), std::nullopt);
    EXPECT_EQ(AutostartCommand("[Desktop Entry]\nExec=a\nHidden=true\n"), std::nullopt);
    EXPECT_EQ(AutostartCommand("[Desktop Entry]\nExec=a\nX-GNOME-Autostart-enabled=false\n"),
              std::nullopt);
    EXPECT_EQ(AutostartCommand("[Desktop Entry]\nExec=a\nHidden=false\n"), "a");
}

} // namespace
} // namespace diglux
