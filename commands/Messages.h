// The two fixed texts that scroll across the text line: the welcome text (greeting by the
// hour, version, release date, the most useful keys, the alarm) and the key help.
#pragma once

#include "display/TextDisplay.h"
#include "host/HostTypes.h"
#include "model/Settings.h"

#include <string>

namespace diglux {

// The welcome text at a time (greeting by the hour, the year of the copyright), with every "*"
// as code 127 (a triangle); the armed alarm is named.
std::string StartMessage(const LocalDateTime& now, const std::string& versionText,
                         const Settings& settings);
// The key help, with every "*" as code 127.
std::string HelpMessage();

void ShowStartMsg(TextDisplay& text, const LocalDateTime& now, const std::string& versionText,
                  const Settings& settings);
void ShowHelpMsg(TextDisplay& text);

} // namespace diglux
