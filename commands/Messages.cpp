#include "Messages.h"

#include "model/ProgramInfo.h"

#include <algorithm>

namespace diglux {
namespace {

constexpr double kMessageDelay = 0.1;
constexpr char kTriangle = 127;

std::string StarsToTriangles(std::string text) {
    std::replace(text.begin(), text.end(), '*', kTriangle);
    return text;
}

const char* Greeting(int hour) {
    if (hour <= 11) {
        return "Guten Morgen &";
    }
    return hour <= 15 ? "Guten Tag &" : "Guten Abend &";
}

} // namespace

std::string StartMessage(const LocalDateTime& now, const std::string& versionText,
                         const Settings& settings) {
    std::string text = "     ***  ";
    text += Greeting(now.hour);
    text += " Willkommen!  ***  DIGLUX  V";
    text += versionText;
    text += "  ";
    text += kReleaseDate;
    text += "  (C) 2022-";
    text += std::to_string(now.year);
    text += " ";
    text += kMakerName;
    text += "  ***  [F1]: Einstellungen  *  (T): Tastenblegung anzeigen  *  (Rechts-Klick) auf "
            "Zeit/Datum = Ansage";
    if (settings.Alarm_Enabled) {
        text += "  ***  Alarm: " + settings.Alarm_Time + " Uhr";
    }
    text += "  ***     ";
    return StarsToTriangles(text);
}

std::string HelpMessage() {
    return StarsToTriangles("  TASTEN-BELEGUNG ...  "
                            "(ESC): Beenden  *  "
                            "(Leertaste): Zeitansage / Alarm-Stop  *  "
                            "(Gross)+(Leer): Zeitansage mit Sekunden  *  "
                            "(Strg)+(Leer): Zeit- und Datumsansage  *  "
                            "(D): Datumsansage  *  "
                            "(K): Kalender-Woche anzeigen  *  "
                            "(S): Stunden-Signal Ein/Aus  *  "
                            "(Z): Zeitansage Ein/Aus  *  "
                            "(F1): Einstellungen  *  "
                            "(F2): Blinkender Doppelpunkt  *  "
                            "(F4): Magnetischer Bildrand  *  "
                            "(F5/F6/F7/F8): Display-Farbe = weiss/rot/gruen/blau  *  "
                            "(F9): Alarm Ein/Aus  *  "
                            "(F10): Alarm Einstellen  *  "
                            "(F11): VF-Display Farbe  *  "
                            "(Strg)+(F1/F2/F3/F4/F5/F6): RGB-Farbwerte einstellen  *  "
                            "(Strg)+(F7/F8/F9): Helligkeit einstellen  *  "
                            "(Strg)+(F10): Zufalls Farbe     ");
}

void ShowStartMsg(TextDisplay& text, const LocalDateTime& now, const std::string& versionText,
                  const Settings& settings) {
    text.ScrollText1(StartMessage(now, versionText, settings), kMessageDelay);
}

void ShowHelpMsg(TextDisplay& text) {
    text.ScrollText1(HelpMessage(), kMessageDelay);
}

} // namespace diglux
