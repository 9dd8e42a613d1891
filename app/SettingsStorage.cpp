#include "SettingsStorage.h"

namespace diglux {

SettingsStorage::SettingsStorage(Settings& settings, SettingsStore& store,
                                 WindowPlacement& placement, std::function<bool()> olderSystem,
                                 std::function<void()> afterAutoStart)
    : settings_(settings), store_(store), placement_(placement),
      olderSystem_(std::move(olderSystem)), afterAutoStart_(std::move(afterAutoStart)) {}

void SettingsStorage::Load() {
    const bool older = olderSystem_ && olderSystem_();
    for (const SettingRow& row : kSettingRows) {
        const std::string_view defaultText =
            older && !row.olderSystemDefault.empty() ? row.olderSystemDefault : row.defaultText;
        ApplyStoredText(settings_, row,
                        store_.GetSettingText(std::string(row.name), std::string(defaultText)));
        if (row.form == StoredForm::AutoStart && afterAutoStart_) {
            afterAutoStart_();
        }
    }
}

void SettingsStorage::SetSave() {
    placement_.SaveOrientation();
    for (const std::string_view name : kSaveOrder) {
        const SettingRow* row = FindSettingRow(name);
        store_.SaveSettingValue(std::string(name), StoredText(settings_, *row));
    }
}

} // namespace diglux
