// The registry's own text format, as the Windows registry editor imports and exports it:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Tandemark\Diglux]
//   "Blink"="1"
//   @=dword:0000000a
//   "Data"=hex:01,02,ff
//   "List"=hex(7):61,00,62,00,00
//
// Reading accepts REGEDIT4 files (bytes as they are: this program's texts are UTF-8) and
// version 5.00 files in UTF-16 LE with a byte-order mark, whose texts are turned into UTF-8.
// Import lines that delete ("[-key]", "name"=-) are applied. Writing makes REGEDIT4 text.
#pragma once

#include "store/RegistryTree.h"

#include <optional>
#include <string>
#include <string_view>

namespace diglux {

struct RegFileError {
    int line = 0; // 1-based line of the file; 0 for the file as a whole
    std::string reason;
};

// The tree a registry file describes; empty (with the reason) when any line cannot be read.
std::optional<RegistryTree> ParseRegFile(std::string_view bytes, RegFileError& error);
// The REGEDIT4 text of a tree, keys in order, lines ending with "\n".
std::string PrintRegFile(const RegistryTree& tree);
// The full key path a file uses for a root's key ("HKEY_CURRENT_USER\Software").
std::string RegFileKeyPath(RegistryRoot root, std::string_view path);

} // namespace diglux
