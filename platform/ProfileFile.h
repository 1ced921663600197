#pragma once
#include <optional>
#include <string>
#include <vector>

namespace platform {

// How a profile call ended.
enum class ProfileStatus {
    Ok,
    // The file exists but could not be read (not a regular file, no
    // permission, a read error). It is left as it is: a file the reader did
    // not see whole is never replaced.
    Unreadable,
    // The file could not be written; the old one is untouched.
    WriteFailed,
    // A section or key name that would not read back as given; nothing is
    // written.
    BadName,
};

struct ProfileResult {
    ProfileStatus status = ProfileStatus::Ok;
    std::string reason;  // the system's words for what failed; empty when Ok
    explicit operator bool() const { return status == ProfileStatus::Ok; }
};

// An ini-style profile file: "[section]" headers and "key=value" lines.
// Section and key names compare case-insensitively (ASCII); the value is
// everything after the first '=' with surrounding blanks removed, so it may
// hold spaces and further '=', and then without one pair of double or single
// quotes that enclose it. Lines the reader does not understand (comments,
// blank lines, text without '=') are kept as they are by the writer. Lines
// may end in LF, CR LF or a lone CR; a written file keeps the line end its
// first line had (LF for a new file).
//
// Load once, Get and Set any number of keys, Save once: a save of many keys
// reads and replaces the file one time each.
class ProfileFile {
public:
    // Reads `path`. A missing file reads as empty; a file that cannot be
    // read reads as empty too, with LoadResult() Unreadable, and Save then
    // refuses to replace anything.
    static ProfileFile Load(const std::string& path);
    const ProfileResult& LoadResult() const { return loaded_; }

    std::optional<std::string> Get(const std::string& section, const std::string& key) const;
    // Sets or adds the key; a new section is appended at the end. Line breaks
    // in `value` become spaces. BadName, nothing changed, when a name is not
    // IsStorableName.
    ProfileResult Set(const std::string& section, const std::string& key,
                      const std::string& value);
    // Replaces `path` whole, once (temporary file, flush, rename; in place
    // when no file can be made in its folder, see ReplaceFile): Ok when the
    // new file is in place. On failure the old file is untouched.
    ProfileResult Save(const std::string& path) const;

    const std::vector<std::string>& Lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
    std::string lineEnd_ = "\n";
    ProfileResult loaded_;
};

// True when a section or key named `name` reads back as that name: not
// empty, no blank or control character at either end, no line break, '=',
// '[' or ']' anywhere, and no ';' or '#' first (a comment line).
bool IsStorableName(const std::string& name);

// The profile calls of the editor: the value of [section] key, or
// `defaultValue` when the file, the section or the key is missing (or the
// file cannot be read).
std::string ReadProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& defaultValue);
// Writes one key (creating the file on first write).
ProfileResult WriteProfileString(const std::string& path, const std::string& section,
                                 const std::string& key, const std::string& value);

}  // namespace platform
