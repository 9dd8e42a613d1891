#include "Settings.h"

#include "model/NumberText.h"

namespace diglux {

using enum StoredForm;
using S = Settings;

const std::array<SettingRow, 20> kSettingRows{{
    {"Blink", Flag, "0", &S::Blink, {}},
    {"Alarm.Enabled", Flag, "0", &S::Alarm_Enabled, {}},
    {"Alarm.Time", Text, "00:00", &S::Alarm_Time, {}},
    {"Alarm.SagZeit", NumberFlag, "1", &S::Alarm_SagZeit, {}},
    {"Signal", Flag, "1", &S::Signal, {}},
    {"Dock", Number, "0", &S::Dock, {}},
    {"ShowInTask", Flag, "0", &S::ShowInTask, {}},
    {"Serife.I", SerifFlag, "1", &S::ISerifOff, {}},
    {"SagZeit", Flag, "0", &S::SagZeit, {}},
    {"SagZeit.Start", Number, "10", &S::SagZeit_Start, {}},
    {"SagZeit.Ende", Number, "22", &S::SagZeit_Ende, {}},
    {"AutoStart", AutoStart, "2", {}, {}},
    {"Volume.Set", Flag, "0", &S::Volume_Set, {}},
    {"Volume.Master", Number, "50", &S::Volume_Master, {}},
    // Older systems had a louder wave output, so the announcement used half of it.
    {"Volume.Wave", Number, "100", &S::Volume_Wave, "50"},
    {"Text.2", Number, "1", &S::Text_2, {}},
    {"Color.R", Number, "95", &S::Color_R, {}},
    {"Color.G", Number, "255", &S::Color_G, {}},
    {"Color.B", Number, "47", &S::Color_B, {}},
    {"Color.Offset", Number, "0", &S::Color_Offset, {}},
}};

const std::array<std::string_view, 20> kSaveOrder{
    "Blink",        "Alarm.Enabled", "Alarm.Time",    "Alarm.SagZeit", "Signal",
    "Serife.I",     "Dock",          "Color.R",       "Color.G",       "Color.B",
    "Color.Offset", "Volume.Set",    "Volume.Master", "Volume.Wave",   "ShowInTask",
    "SagZeit",      "SagZeit.Start", "SagZeit.Ende",  "Text.2",        "AutoStart"};

const SettingRow* FindSettingRow(std::string_view name) {
    for (const SettingRow& row : kSettingRows) {
        if (row.name == name) {
            return &row;
        }
    }
    return nullptr;
}

void ApplyStoredText(Settings& settings, const SettingRow& row, std::string_view text) {
    const double number = LeadingNumber(text);
    if (row.form == AutoStart) {
        settings.AutoStartAlways = number == 1.0;
        settings.AutoStartAuto = number == 2.0;
        return;
    }
    struct Visitor {
        Settings& s;
        StoredForm form;
        std::string_view text;
        double number;
        void operator()(std::monostate) const {}
        void operator()(bool Settings::*flag) const {
            s.*flag = form == NumberFlag  ? number != 0.0
                      : form == SerifFlag ? text != "1"
                                          : text != "0";
        }
        void operator()(std::int16_t Settings::*field) const { s.*field = ToInt16(number); }
        void operator()(std::int32_t Settings::*field) const { s.*field = ToInt32(number); }
        void operator()(std::string Settings::*field) const { s.*field = text; }
    };
    std::visit(Visitor{settings, row.form, text, number}, row.field);
}

std::string StoredText(const Settings& settings, const SettingRow& row) {
    if (row.form == AutoStart) {
        return settings.AutoStartAlways ? "1" : (settings.AutoStartAuto ? "2" : "0");
    }
    struct Visitor {
        const Settings& s;
        StoredForm form;
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(bool Settings::*flag) const {
            return (form == SerifFlag ? !(s.*flag) : s.*flag) ? "1" : "0";
        }
        std::string operator()(std::int16_t Settings::*field) const {
            return std::to_string(s.*field);
        }
        std::string operator()(std::int32_t Settings::*field) const {
            return std::to_string(s.*field);
        }
        std::string operator()(std::string Settings::*field) const { return s.*field; }
    };
    return std::visit(Visitor{settings, row.form}, row.field);
}

} // namespace diglux
