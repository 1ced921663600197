#include "settings/CheckItemSettings.h"

#include "mesh/NumberText.h"
#include "settings/ProfileValue.h"

const char* CheckItemKey(int item) {
    if (item < 1 || item > 9) return nullptr;
    return kCheckItemKeys[item - 1];
}

std::optional<bool> ReadCheckItem(int item, const std::string& path) {
    const char* key = CheckItemKey(item);
    if (!key) return std::nullopt;
    auto text = settings::ReadKey(path, "Check", key, 128);
    if (!text) return std::nullopt;
    return textnum::AtoI(*text) != 0;
}

SettingsResult WriteCheckItem(int item, bool checked, const std::string& path) {
    const char* key = CheckItemKey(item);
    if (!key) return {SettingsError::WriteFailed, "表示項目 " + textnum::FormatInt(item) + " はありません。"};
    return settings::WriteKey(path, "Check", key, checked ? "1" : "0");
}
