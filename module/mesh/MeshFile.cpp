#include "mesh/MeshFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <locale>
#include <string_view>

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

}  // namespace

bool ReadMeshFile(const std::string& path, MeshList& list) {
    list.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        // Files written on Windows end their lines with CR LF.
        if (!line.empty() && line.back() == '\r') line.pop_back();
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

bool WriteMeshFile(const std::string& path, const MeshList& list) {
    // Written beside the target and renamed over it, so that a failed save
    // never leaves the user's earlier mesh half overwritten.
    std::string temp = path + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) return false;
    struct stat existing;
    fchmod(fd, stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 0777) : 0644);
    close(fd);

    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.imbue(std::locale::classic());
    int written = 0;
    for (const auto& element : list) written += element.vertices.size() >= 3 ? 1 : 0;
    out << "TORMEL_MESH\n" << "7,6,7\n" << written << '\n';
    int number = 0;
    for (const auto& element : list) {
        if (element.vertices.size() < 3) continue;
        out << ++number;
        for (int k = 0; k < 3; ++k) {
            const MeshVertex& v = element.vertices[k];
            out << ',' << textnum::FormatFixed(v.x, 2) << ',' << textnum::FormatFixed(v.y, 2) << ','
                << textnum::FormatFixed(v.z, 2);
        }
        out << '\n';
    }
    out.close();
    if (out.fail() || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}
