#include "settings/ProfileValue.h"

#include <cmath>

#include "mesh/NumberText.h"

namespace settings {
namespace {

SettingsResult NoPathResult() {
    return {SettingsError::NoPath, "設定ファイルの場所を決められませんでした。"};
}

std::string Details(const std::string& path, const std::string& reason) {
    return "\n" + path + (reason.empty() ? std::string() : "\n(" + reason + ")");
}

}  // namespace

std::optional<std::string> KeyText(const platform::ProfileFile& file, const char* section,
                                   const char* key, size_t bufferSize) {
    std::string text = file.Get(section, key).value_or(kMissing);
    if (text == kMissing) return std::nullopt;
    if (bufferSize > 0 && text.size() > bufferSize - 1) text.resize(bufferSize - 1);
    return text;
}

std::optional<std::string> ReadKey(const std::string& path, const char* section, const char* key,
                                   size_t bufferSize) {
    if (path.empty()) return std::nullopt;
    return KeyText(platform::ProfileFile::Load(path), section, key, bufferSize);
}

SettingsResult WriteKey(const std::string& path, const char* section, const char* key,
                        std::string value) {
    SettingsBatch batch(path);
    batch.Set(section, key, std::move(value));
    return batch.Commit();
}

SettingsBatch::SettingsBatch(std::string path) : path_(std::move(path)) {
    if (!path_.empty()) file_ = platform::ProfileFile::Load(path_);
}

void SettingsBatch::Set(const char* section, const char* key, std::string value) {
    const auto lineBreak = value.find_first_of("\r\n");
    if (lineBreak != std::string::npos) value.resize(lineBreak);
    if (platform::ProfileResult set = file_.Set(section, key, value); !set && refused_) {
        refused_ = std::move(set);
    }
}

void SettingsBatch::SetFixed(const char* section, const char* key, double value, int decimals) {
    if (!std::isfinite(value)) return;
    Set(section, key, textnum::FormatFixed(value, decimals));
}

SettingsResult SettingsBatch::Commit() const {
    if (path_.empty()) return NoPathResult();
    if (!file_.LoadResult()) {
        return {SettingsError::Unreadable,
                "設定ファイルを読み込めないため、設定を保存しませんでした。" +
                    Details(path_, file_.LoadResult().reason)};
    }
    if (!refused_) {
        return {SettingsError::WriteFailed,
                "設定ファイルに保存できませんでした。" + Details(path_, refused_.reason)};
    }
    if (const platform::ProfileResult saved = file_.Save(path_); !saved) {
        return {SettingsError::WriteFailed,
                "設定ファイルに保存できませんでした。" + Details(path_, saved.reason)};
    }
    return {};
}

SettingsResult UnreadableResult(const std::string& path, const std::string& reason) {
    return {SettingsError::Unreadable,
            "設定ファイルを読み込めませんでした。ファイルはそのまま残し、上書きしません。" +
                Details(path, reason)};
}

}  // namespace settings
