#pragma once
// Reading one settings key the way every reader of Vorna3D.ini does: the
// default text "NULL" marks a missing key, and a value is cut to what a
// fixed-size read buffer would hold.

#include <optional>
#include <string>

namespace settings {

// The missing-key sentinel; a stored value "NULL" is indistinguishable from a
// missing key.
inline constexpr const char* kMissing = "NULL";

// The key's text, cut to bufferSize - 1 characters, or nothing when the key
// (or the section, or the file) is missing.
std::optional<std::string> ReadKey(const std::string& path, const char* section, const char* key,
                                   size_t bufferSize);

// Writes one key; line breaks in `value` end the value there, since a value
// is one line of the file.
bool WriteKey(const std::string& path, const char* section, const char* key, std::string value);

}  // namespace settings
