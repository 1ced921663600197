#include "settings/ProfileValue.h"

#include "ProfileFile.h"

namespace settings {

std::optional<std::string> ReadKey(const std::string& path, const char* section, const char* key,
                                   size_t bufferSize) {
    if (path.empty()) return std::nullopt;
    std::string text = platform::ReadProfileString(path, section, key, kMissing);
    if (text == kMissing) return std::nullopt;
    if (bufferSize > 0 && text.size() > bufferSize - 1) text.resize(bufferSize - 1);
    return text;
}

bool WriteKey(const std::string& path, const char* section, const char* key, std::string value) {
    if (path.empty()) return false;
    const auto lineBreak = value.find_first_of("\r\n");
    if (lineBreak != std::string::npos) value.resize(lineBreak);
    return platform::WriteProfileString(path, section, key, value);
}

}  // namespace settings
