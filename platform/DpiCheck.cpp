#include "DpiCheck.h"

#include "model/NumberText.h"
#include "store/RegistryPath.h"

#include <algorithm>
#include <cctype>

namespace diglux {
namespace {

constexpr const char* kUseDpiScaling = "HKCU\\Software\\Microsoft\\Windows\\DWM\\UseDpiScaling";
constexpr const char* kLayers =
    "HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";
constexpr const char* kAppliedDpi = "HKCU\\Control Panel\\Desktop\\WindowMetrics\\AppliedDPI";

// Every "_" becomes a line break.
std::string WithLineBreaks(const std::string& text) {
    std::string out;
    for (const char c : text) {
        out += c == '_' ? std::string("\r\n") : std::string(1, c);
    }
    return out;
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

void RemoveAll(std::string& text, const std::string& word) {
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at)) {
        text.erase(at, word.size());
    }
}

} // namespace

std::string DpiWarningText(int percent, int dpi) {
    return WithLineBreaks("  Sie verwenden eine Desktop-Skalierung von " + std::to_string(percent) +
                          "% (" + std::to_string(dpi) + " DPI)._" +
                          "  Das Programm ist allerdings auf 100% (96 DPI) optimiert.__"
                          "  Damit das Programm in Windows7 bei einer höheren_"
                          "  Skallierung korrekt dargestellt wird, muß die Windows XP_"
                          "  kompatible DPI-Skalierung deaktiviert werden.__"
                          "  Sie können die XP-Skalierung Jederzeit wieder in der_"
                          "  Systemsteuerung wie folgt aktivieren:__"
                          "      Darstellung und Anpassung / Anzeige /_"
                          "      Benutzerdefinierte Textgröße (DPI) festlesen /_"
                          "      DPI-Skalierung im Stil von Windows XP = Haken setzen__"
                          "  Soll die XP-Skalierung jetzt deaktiviert werden?");
}

std::string DpiLogoffText(bool askLogoff) {
    std::string text = "  Damit die Änderung wirksam wird,_  müssen Sie sich neu "
                       "anmelden.";
    if (askLogoff) {
        text += "__  Möchsten Sie sich jetzt neu anmelden?";
    }
    return WithLineBreaks(text);
}

int ScalingPercent(int dpi) {
    return static_cast<int>(RoundHalfEven(dpi * 100.0 / 96.0));
}

DpiCheck::DpiCheck(RegistryAccess& registry, const Environment& environment, Desktop& desktop,
                   Processes& processes)
    : registry_(registry), environment_(environment), desktop_(desktop), processes_(processes) {}

int DpiCheck::DesktopDpi() {
    if (dpi_ < 1) {
        dpi_ = ToInt32(registry_.RegistryValue(kAppliedDpi).NumericValue());
    }
    return dpi_;
}

// Removes HIGHDPIAWARE and DISABLEDWM from the executable's compatibility flags; true when
// something was removed (the flags take effect only in a new process).
bool DpiCheck::RemoveCompatibilityFlags() {
    const std::string path = std::string(kLayers) + "\\\\" + environment_.ExePath();
    std::string layers = Upper(registry_.RegistryValue(path).TextForm().value_or(""));
    bool changed = false;
    for (const std::string flag : {"HIGHDPIAWARE", "DISABLEDWM"}) {
        if (layers.find(flag) != std::string::npos) {
            RemoveAll(layers, flag);
            layers = TrimBlanks(layers);
            registry_.RegistrySet(path, layers);
            changed = true;
        }
    }
    if (changed && TrimBlanks(layers).empty()) {
        registry_.RegDeleteValuePath(path);
    }
    return changed;
}

DpiCheckResult DpiCheck::Run(bool askLogoff, bool silent) {
    const bool xpScaling = registry_.RegistryValue(kUseDpiScaling).NumericValue() == 0.0;
    const float version = environment_.WinVersion();
    if (version != 6.1f && version != 6.2f) {
        return DpiCheckResult::NothingToDo;
    }
    // The flags take effect only in a new process. Should it not start, this one goes on.
    if (RemoveCompatibilityFlags() && processes_.Start("Explorer.exe", {environment_.ExePath()})) {
        return DpiCheckResult::RestartNeeded;
    }
    if (DesktopDpi() == 96 || !xpScaling) {
        return DpiCheckResult::NothingToDo;
    }
    if (silent) {
        registry_.RegistrySet(kUseDpiScaling, std::int32_t{1});
        return DpiCheckResult::Warned;
    }
    return AskToSwitchOff(askLogoff);
}

DpiCheckResult DpiCheck::AskToSwitchOff(bool askLogoff) {
    const int dpi = DesktopDpi();
    MessageBoxRequest warning{DpiWarningText(ScalingPercent(dpi), dpi),
                              " WARNUNG:  Desktop-Skalierung aktiv", MessageIcon::Exclamation,
                              MessageButtons::YesNo, 1};
    if (desktop_.ShowMessageBox(warning) != MessageResult::Yes) {
        return DpiCheckResult::Warned;
    }
    registry_.RegistrySet(kUseDpiScaling, std::int32_t{1});
    MessageBoxRequest note{DpiLogoffText(askLogoff), " HINWEIS:", MessageIcon::Critical,
                           MessageButtons::YesNo, 2};
    if (desktop_.ShowMessageBox(note) == MessageResult::Yes) {
        processes_.LogOff();
    }
    return DpiCheckResult::Warned;
}

} // namespace diglux
