#pragma once
// Reading and writing settings keys the way every user of Vorna3D.ini does:
// the default text "NULL" marks a missing key, a value is cut to what a
// fixed-size read buffer would hold, and a value written is one line.

#include <optional>
#include <string>

#include "ProfileFile.h"
#include "settings/SettingsResult.h"

namespace settings {

// The missing-key sentinel; a stored value "NULL" is indistinguishable from a
// missing key.
inline constexpr const char* kMissing = "NULL";

// The key's text, cut to bufferSize - 1 characters, or nothing when the key
// (or the section, or the file) is missing or the file cannot be read.
std::optional<std::string> ReadKey(const std::string& path, const char* section, const char* key,
                                   size_t bufferSize);
// The same, from a file already read.
std::optional<std::string> KeyText(const platform::ProfileFile& file, const char* section,
                                   const char* key, size_t bufferSize);

// Writes one key (see SettingsBatch::Set).
SettingsResult WriteKey(const std::string& path, const char* section, const char* key,
                        std::string value);

// Keys written together: the file is read once when the batch is made and
// written once, whole, by Commit. Nothing is written before Commit.
class SettingsBatch {
public:
    explicit SettingsBatch(std::string path);

    // Line breaks in `value` end the value there, since a value is one line
    // of the file. A name the file cannot hold makes Commit fail.
    void Set(const char* section, const char* key, std::string value);
    // "%.<decimals>f" of `value`. A value that is not finite (nan, inf) is
    // not written: the key keeps the text it had.
    void SetFixed(const char* section, const char* key, double value, int decimals);

    // Writes the file. Refused, the file untouched, when it exists but could
    // not be read, or when the path is unknown.
    SettingsResult Commit() const;

private:
    std::string path_;
    platform::ProfileFile file_;
    platform::ProfileResult refused_;  // the first Set refused
};

// The result a caller shows when the file at `path` could not be read.
SettingsResult UnreadableResult(const std::string& path, const std::string& reason);

}  // namespace settings
