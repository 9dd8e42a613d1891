// A registry location written as one text: root name, key path and value name separated by
// backslashes ("HKCU\Software\Tandemark\Diglux\Blink"). A path ending in "\" names the key's
// default value; a double backslash before the value name lets the name hold backslashes
// ("HKCU\Software\X\\C:\dir\prog.exe" is the value "C:\dir\prog.exe" of the key Software\X).
#pragma once

#include "host/RegistryBackend.h"

#include <optional>
#include <string>
#include <string_view>

namespace diglux {

struct RegistryPath {
    std::optional<RegistryRoot> root; // empty for a name outside the root table
    std::string keyPath;              // below the root, without leading "\"
    std::string valueName;            // "" for the default value
};

// The root for a name ("HKCU", "hkey_current_user", ...), compared without regard to case;
// empty for any other name.
std::optional<RegistryRoot> RootFromName(std::string_view name);
// The root's long name as registry files write it ("HKEY_CURRENT_USER").
std::string_view RootLongName(RegistryRoot root);
// Removes blanks from both ends.
std::string TrimBlanks(std::string_view text);
// Splits a path (trimmed first) into root, key path and value name.
RegistryPath SplitRegistryPath(std::string_view path);

} // namespace diglux
