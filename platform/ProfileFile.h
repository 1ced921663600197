#pragma once
#include <optional>
#include <string>
#include <vector>

namespace platform {

// An ini-style profile file: "[section]" headers and "key=value" lines.
// Section and key names compare case-insensitively (ASCII); the value is
// everything after the first '=' with surrounding blanks removed, so it may
// hold spaces and further '='. Lines the reader does not understand (comments,
// blank lines, text without '=') are kept as they are by the writer.
class ProfileFile {
public:
    // Reads `path`; a missing or unreadable file reads as empty.
    static ProfileFile Load(const std::string& path);

    std::optional<std::string> Get(const std::string& section, const std::string& key) const;
    // Sets or adds the key; a new section is appended at the end.
    void Set(const std::string& section, const std::string& key, const std::string& value);
    // Replaces `path` atomically (temporary file in the same folder, then
    // rename): true when the new file is in place. On failure the old file
    // is untouched.
    bool Save(const std::string& path) const;

    const std::vector<std::string>& Lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
};

// The profile calls of the editor: the value of [section] key, or
// `defaultValue` when the file, the section or the key is missing.
std::string ReadProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& defaultValue);
// Writes one key (creating the file on first write); false when the file
// could not be replaced.
bool WriteProfileString(const std::string& path, const std::string& section,
                        const std::string& key, const std::string& value);

}  // namespace platform
