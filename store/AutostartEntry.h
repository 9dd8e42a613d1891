// The desktop's autostart entries stand in for the values of the registry's Run key: value
// "Diglux" is the file "diglux.desktop" in the autostart folder, and the value's text is the
// file's Exec line (with the format's \s \n \t \r \\ escapes undone).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace diglux {

// The file name for a Run value ("diglux.desktop"); empty when the name cannot be a file name.
std::string AutostartFileName(std::string_view valueName);
// The Exec line of an entry; empty when there is none or the entry is switched off
// (Hidden=true, X-GNOME-Autostart-enabled=false).
std::optional<std::string> AutostartCommand(std::string_view entryText);
// A complete entry that starts the command at logon.
std::string AutostartEntryText(std::string_view name, std::string_view command);

} // namespace diglux
