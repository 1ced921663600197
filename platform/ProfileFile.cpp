#include "ProfileFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "ReplaceFile.h"

namespace platform {
namespace {

std::string Trim(const std::string& s) {
    const char* blanks = " \t\r\n";
    auto b = s.find_first_not_of(blanks);
    if (b == std::string::npos) return {};
    auto e = s.find_last_not_of(blanks);
    return s.substr(b, e - b + 1);
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// The section name of a "[name]" line, or nothing.
std::optional<std::string> SectionOf(const std::string& line) {
    std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    auto close = t.find(']');
    if (close == std::string::npos) return std::nullopt;
    return Trim(t.substr(1, close - 1));
}

// The key of a "key=value" line, or nothing; comment lines have no key.
std::optional<std::string> KeyOf(const std::string& line, std::string* value) {
    std::string t = Trim(line);
    if (t.empty() || t[0] == ';' || t[0] == '#' || t[0] == '[') return std::nullopt;
    auto eq = t.find('=');
    if (eq == std::string::npos) return std::nullopt;
    if (value) *value = Trim(t.substr(eq + 1));
    return Trim(t.substr(0, eq));
}

// A value enclosed in one pair of double or single quotes reads without them.
std::string Unquoted(std::string value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// The whole content of `path`: nothing and no error for a missing file, the
// errno value (or EINVAL for what is not a regular file) when it exists but
// cannot be read.
int ReadWholeFile(const std::string& path, std::string& content) {
    // Non-blocking, so that a FIFO planted at the path cannot hang the open.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return (errno == ENOENT || errno == ENOTDIR) ? 0 : errno;
    struct stat info {};
    int error = 0;
    if (fstat(fd, &info) != 0) error = errno;
    else if (S_ISDIR(info.st_mode)) error = EISDIR;
    else if (!S_ISREG(info.st_mode)) error = EINVAL;  // device, FIFO, socket
    char buffer[8192];
    while (error == 0) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) error = errno;
        if (n <= 0) break;
        content.append(buffer, static_cast<size_t>(n));
    }
    close(fd);
    return error;
}

}  // namespace

bool IsStorableName(const std::string& name) {
    if (name.empty() || name.front() == ';' || name.front() == '#') return false;
    const auto isControlOrBlank = [](unsigned char c) { return c <= ' ' || c == 0x7F; };
    if (isControlOrBlank(name.front()) || isControlOrBlank(name.back())) return false;
    return name.find_first_of(std::string("\r\n=[]\0", 7)) == std::string::npos;
}

ProfileFile ProfileFile::Load(const std::string& path) {
    ProfileFile file;
    std::string content;
    if (const int error = ReadWholeFile(path, content)) {
        file.loaded_ = {ProfileStatus::Unreadable, ErrorText(error)};
        return file;
    }
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find_first_of("\r\n", start);
        if (end == std::string::npos) end = content.size();
        file.lines_.push_back(content.substr(start, end - start));
        size_t next = end + 1;
        if (end + 1 < content.size() && content[end] == '\r' && content[end + 1] == '\n') ++next;
        if (file.lines_.size() == 1 && end < content.size()) {
            file.lineEnd_ = content.substr(end, next - end);
        }
        start = next;
    }
    return file;
}

std::optional<std::string> ProfileFile::Get(const std::string& section,
                                            const std::string& key) const {
    bool inSection = false;
    for (const auto& line : lines_) {
        if (auto name = SectionOf(line)) {
            inSection = EqualsNoCase(*name, section);
            continue;
        }
        std::string value;
        if (inSection) {
            if (auto k = KeyOf(line, &value); k && EqualsNoCase(*k, key)) return Unquoted(value);
        }
    }
    return std::nullopt;
}

ProfileResult ProfileFile::Set(const std::string& section, const std::string& key,
                               const std::string& value) {
    for (const std::string* name : {&section, &key}) {
        if (!IsStorableName(*name)) {
            return {ProfileStatus::BadName, "the name \"" + *name + "\" cannot be stored"};
        }
    }
    // A line break in a value would split it into lines of its own.
    std::string flat = value;
    for (char& c : flat) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    const std::string entry = key + "=" + flat;
    bool inSection = false;
    std::optional<size_t> insertAt;  // after the last key line of the section
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (auto name = SectionOf(lines_[i])) {
            if (inSection) break;  // the section ended without the key
            inSection = EqualsNoCase(*name, section);
            if (inSection) insertAt = i + 1;
            continue;
        }
        if (!inSection) continue;
        if (auto k = KeyOf(lines_[i], nullptr)) {
            if (EqualsNoCase(*k, key)) {
                lines_[i] = entry;
                return {};
            }
            insertAt = i + 1;
        }
    }
    if (insertAt) {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(*insertAt), entry);
        return {};
    }
    lines_.push_back("[" + section + "]");
    lines_.push_back(entry);
    return {};
}

ProfileResult ProfileFile::Save(const std::string& path) const {
    if (!loaded_) return loaded_;
    std::string text;
    for (const auto& line : lines_) text += line + lineEnd_;
    if (const int error = ReplaceFile(path, text)) return {ProfileStatus::WriteFailed, ErrorText(error)};
    return {};
}

std::string ReadProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& defaultValue) {
    return ProfileFile::Load(path).Get(section, key).value_or(defaultValue);
}

ProfileResult WriteProfileString(const std::string& path, const std::string& section,
                                 const std::string& key, const std::string& value) {
    ProfileFile file = ProfileFile::Load(path);
    if (!file.LoadResult()) return file.LoadResult();
    if (ProfileResult set = file.Set(section, key, value); !set) return set;
    return file.Save(path);
}

}  // namespace platform
