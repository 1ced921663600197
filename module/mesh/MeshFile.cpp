#include "mesh/MeshFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "ReplaceFile.h"
#include "mesh/NumberText.h"

namespace {

bool Expect(std::string_view& text, char c) {
    if (text.empty() || text.front() != c) return false;
    text.remove_prefix(1);
    return true;
}

// The "%d,%d,%d" line: three integers, whatever follows them.
bool ParseVersionLine(std::string_view line) {
    for (int field = 0; field < 3; ++field) {
        if (field > 0 && !Expect(line, ',')) return false;
        if (!textnum::ScanInt(line)) return false;
    }
    return true;
}

// The "%d" count line.
bool ParseCountLine(std::string_view line) { return textnum::ScanInt(line).has_value(); }

// A "%d,%lf × 9" triangle line.
bool ParseTriangleLine(std::string_view line, MeshElement& element) {
    auto number = textnum::ScanInt(line);
    if (!number) return false;
    double values[9];
    for (double& value : values) {
        if (!Expect(line, ',')) return false;
        auto parsed = textnum::ScanDouble(line);
        if (!parsed) return false;
        value = *parsed;
    }
    element.number = *number;
    element.vertices = {{values[0], values[1], values[2]},
                        {values[3], values[4], values[5]},
                        {values[6], values[7], values[8]}};
    return true;
}

// Lines of an open file, each at most kMaxMeshLineLength characters.
class LineReader {
public:
    explicit LineReader(int fd) : fd_(fd) {}

    enum class Result { Line, End, Bad };

    // The next line without its LF (or CR LF); Bad for a read error or a line
    // too long, which is not read further.
    Result Next(std::string& line) {
        line.clear();
        for (;;) {
            if (next_ == size_ && !Fill()) {
                if (error_) return Result::Bad;
                return line.empty() && atEnd_ ? Result::End : Finish(line);
            }
            const char c = buffer_[next_++];
            if (c == '\n') return Finish(line);
            line.push_back(c);
            // One more for the CR of a CR LF line end.
            if (line.size() > kMaxMeshLineLength + 1) return Result::Bad;
        }
    }

private:
    Result Finish(std::string& line) {
        // Files written on Windows end their lines with CR LF.
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return line.size() > kMaxMeshLineLength ? Result::Bad : Result::Line;
    }

    bool Fill() {
        for (;;) {
            const ssize_t n = read(fd_, buffer_, sizeof buffer_);
            if (n < 0 && errno == EINTR) continue;
            error_ = n < 0;
            atEnd_ = n == 0;
            next_ = 0;
            size_ = n > 0 ? static_cast<size_t>(n) : 0;
            return n > 0;
        }
    }

    int fd_;
    char buffer_[8192];
    size_t next_ = 0;
    size_t size_ = 0;
    bool atEnd_ = false;
    bool error_ = false;
};

// Opens `path` for reading when it is a regular file; -1 otherwise. The type
// is checked before the open (which does not wait, should a FIFO take the
// file's place in between) and again on what was opened.
int OpenRegularFile(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return -1;
    }
    return fd;
}

bool ReadLines(LineReader& reader, MeshList& list) {
    std::string line;
    int lineNumber = 0;
    for (;;) {
        const LineReader::Result result = reader.Next(line);
        if (result == LineReader::Result::Bad) return false;
        if (result == LineReader::Result::End) break;
        ++lineNumber;
        if (lineNumber == 1) continue;
        if (lineNumber == 2) {
            if (!ParseVersionLine(line)) return false;
            continue;
        }
        if (lineNumber == 3) {
            if (!ParseCountLine(line)) return false;
            continue;
        }
        MeshElement element;
        if (!ParseTriangleLine(line, element)) return false;
        list.push_back(std::move(element));
    }
    // A file that stops before its count line is not a mesh file, even
    // though it has no malformed line.
    return lineNumber >= 3;
}

}  // namespace

bool ReadMeshFile(const std::string& path, MeshList& list) {
    list.clear();
    const int fd = OpenRegularFile(path);
    if (fd < 0) return false;
    LineReader reader(fd);
    const bool read = ReadLines(reader, list);
    close(fd);
    return read;
}

bool WriteMeshFile(const std::string& path, const MeshList& list) {
    int written = 0;
    for (const auto& element : list) written += element.vertices.size() >= 3 ? 1 : 0;
    std::string text = "TORMEL_MESH\n7,6,7\n" + textnum::FormatInt(written) + "\n";
    int number = 0;
    for (const auto& element : list) {
        if (element.vertices.size() < 3) continue;
        text += textnum::FormatInt(++number);
        for (int k = 0; k < 3; ++k) {
            const MeshVertex& v = element.vertices[k];
            text += ',' + textnum::FormatFixed(v.x, 2) + ',' + textnum::FormatFixed(v.y, 2) + ',' +
                    textnum::FormatFixed(v.z, 2);
        }
        text += '\n';
    }
    return platform::ReplaceFile(path, text) == 0;
}
