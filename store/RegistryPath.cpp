#include "RegistryPath.h"

#include <array>
#include <cctype>

namespace diglux {
namespace {

struct RootName {
    std::string_view name;
    RegistryRoot root;
};

// The other registry roots hold nothing of this program's; a path under one of them addresses
// nothing, as one under an unknown name does.
constexpr std::array<RootName, 4> kRootNames{{
    {"HKCU", RegistryRoot::CurrentUser},
    {"HKEY_CURRENT_USER", RegistryRoot::CurrentUser},
    {"HKLM", RegistryRoot::LocalMachine},
    {"HKEY_LOCAL_MACHINE", RegistryRoot::LocalMachine},
}};

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<RegistryRoot> RootFromName(std::string_view name) {
    for (const RootName& entry : kRootNames) {
        if (EqualNoCase(entry.name, name)) {
            return entry.root;
        }
    }
    return std::nullopt;
}

std::string_view RootLongName(RegistryRoot root) {
    for (const RootName& entry : kRootNames) {
        if (entry.root == root && entry.name.starts_with("HKEY_")) {
            return entry.name;
        }
    }
    return {};
}

std::string TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

RegistryPath SplitRegistryPath(std::string_view path) {
    const std::string trimmed = TrimBlanks(path);
    const auto firstSeparator = trimmed.find('\\');
    RegistryPath result;
    result.root = RootFromName(TrimBlanks(std::string_view(trimmed).substr(0, firstSeparator)));
    if (firstSeparator == std::string::npos) {
        return result;
    }
    const std::string rest = trimmed.substr(firstSeparator + 1);
    // The value name starts after the last separator; a run of three keeps two backslashes
    // in front of the name, a run of two keeps none. The key path always ends before the run.
    std::size_t at = rest.rfind("\\\\\\");
    std::size_t nameStart = at + 1;
    if (at == std::string::npos) {
        at = rest.rfind("\\\\");
        nameStart = at + 2;
    }
    if (at == std::string::npos) {
        at = rest.rfind('\\');
        nameStart = at + 1;
    }
    if (at == std::string::npos) {
        return result;
    }
    result.keyPath = rest.substr(0, at);
    result.valueName = rest.substr(nameStart);
    return result;
}

} // namespace diglux
