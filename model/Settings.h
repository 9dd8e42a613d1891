// The user's settings as one value: a field for each stored value, named after it with "."
// written as "_", holding the default an empty store gives. The table of stored names, forms
// and defaults is the one list both loading and saving walk; the conversions between a stored
// text and a field live here too, so that every reader of a stored text reads it alike.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace diglux {

struct Settings {
    bool Blink = false;
    bool Alarm_Enabled = false;
    std::string Alarm_Time = "00:00";
    bool Alarm_SagZeit = true;
    bool Signal = true;
    std::int16_t Dock = 0;
    bool ShowInTask = false;
    bool ISerifOff = false; // stored inverted, as "Serife.I"
    bool SagZeit = false;
    std::int16_t SagZeit_Start = 10;
    std::int16_t SagZeit_Ende = 22;
    bool AutoStartAlways = false; // stored together with AutoStartAuto, as "AutoStart"
    bool AutoStartAuto = true;
    bool Volume_Set = false;
    std::int32_t Volume_Master = 50;
    std::int32_t Volume_Wave = 100;
    std::int16_t Text_2 = 1;
    std::int16_t Color_R = 95;
    std::int16_t Color_G = 255;
    std::int16_t Color_B = 47;
    std::int16_t Color_Offset = 0;

    bool operator==(const Settings&) const = default;
};

// How a setting is kept as text.
enum class StoredForm {
    Flag,       // "0" is off, any other text (an empty one too) on; written "1" or "0"
    NumberFlag, // on when the text's leading number is not 0; written "1" or "0"
    SerifFlag,  // ISerifOff is on unless the text is exactly "1"; written "1" with serifs
    Number,     // the leading number, halves to even, clamped to the field; written in decimal
    Text,       // taken and written unchanged
    AutoStart,  // 1 always, 2 automatic, anything else never; written "1", "2" or "0"
};

using SettingField = std::variant<std::monostate, bool Settings::*, std::int16_t Settings::*,
                                  std::int32_t Settings::*, std::string Settings::*>;

struct SettingRow {
    std::string_view name; // the stored value's name
    StoredForm form;
    std::string_view defaultText;
    SettingField field;                  // empty for AutoStart, which fills two flags
    std::string_view olderSystemDefault; // the default on systems before version 6, if other
};

// Every setting the clock loads, in the order it loads them.
extern const std::array<SettingRow, 20> kSettingRows;
// The same settings in the order they are written.
extern const std::array<std::string_view, 20> kSaveOrder;

// The row of a stored name; null for a name that is not a setting.
const SettingRow* FindSettingRow(std::string_view name);
// Sets the row's field from a stored text.
void ApplyStoredText(Settings& settings, const SettingRow& row, std::string_view text);
// The text the row's field is written as.
std::string StoredText(const Settings& settings, const SettingRow& row);

} // namespace diglux
