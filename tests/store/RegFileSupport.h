// What the store tests share: the program's settings key, the key levels every registry file
// holding it starts with, and reading a file that must be readable.
#pragma once

#include "store/RegFileFormat.h"
#include "store/RegistryTree.h"

#include <gtest/gtest.h>

namespace diglux::test {

inline const std::string kKey = "HKEY_CURRENT_USER\\Software\\Tandemark\\Diglux";
// Each key level has its own section.
inline const std::string kLevels = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\n"
                                   "[HKEY_CURRENT_USER\\Software\\Tandemark]\n\n[" +
                                   kKey + "]\n";

// The tree a registry file describes; a refusal fails the test with its line and reason.
inline RegistryTree Parse(const std::string& text) {
    RegFileError error;
    std::optional<RegistryTree> tree = ParseRegFile(text, error);
    EXPECT_TRUE(tree.has_value()) << "line " << error.line << ": " << error.reason;
    return tree.value_or(RegistryTree());
}

} // namespace diglux::test
