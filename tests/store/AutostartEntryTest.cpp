// The Run key's values stand as desktop autostart entries: the file name, the Exec line both
// ways, and entries that are switched off.
#include "store/AutostartEntry.h"

#include <gtest/gtest.h>

namespace diglux {
namespace {

// The file is the value's name in lower case; a name that cannot be one file name gives none.
TEST(AutostartEntry, FileNameIsTheLowerCaseValueName) {
    EXPECT_EQ(AutostartFileName("My Clock"), "my clock.desktop");
    for (const char* refused : {"", ".", "..", "a/b", "../x", "a\nb"}) {
        EXPECT_EQ(AutostartFileName(refused), "") << refused;
    }
}

// The entry we write is an application entry whose command reads back the same through the
// format's escapes. Only the main group's Exec line counts, without the blanks and CR around
// it; an entry switched off (Hidden, or off for GNOME) starts nothing.
TEST(AutostartEntry, ExecLineBothWaysAndSwitchedOffEntries) {
    for (const std::string command : {"/usr/bin/diglux", "\"/opt/my clock/diglux\" --x",
                                      " lead\\ing\ttab", "C:\\Prog\\D.exe"}) {
        const std::string entry = AutostartEntryText("Diglux", command);
        EXPECT_TRUE(entry.starts_with("[Desktop Entry]\nType=Application\nName=Diglux\n"));
        EXPECT_EQ(AutostartCommand(entry), command);
    }
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
