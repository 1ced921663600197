// Test buildings made through the model database library's own entries:
// a temporary folder for project files and helpers that write storeys,
// axes, levels and slopes into the open project.
#pragma once

#include "tevalib.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace modeldbtest {

// A new, empty folder under the system's temporary folder, removed with its
// contents at the end of the scope.
class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "teva-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~TempDir()
    {
        std::error_code ignored;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Little-endian field writers for record buffers.
inline void putI16(unsigned char* record, std::size_t offset, int value)
{
    const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(value));
    record[offset] = static_cast<unsigned char>(u & 0xff);
    record[offset + 1] = static_cast<unsigned char>(u >> 8);
}

inline int getI16(const unsigned char* record, std::size_t offset)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(record[offset] | record[offset + 1] << 8));
}

inline void putF64(unsigned char* record, std::size_t offset, double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 8; ++i)
        record[offset + static_cast<std::size_t>(i)] = static_cast<unsigned char>(bits >> (8 * i));
}

inline double getF64(const unsigned char* record, std::size_t offset)
{
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = bits << 8 | record[offset + static_cast<std::size_t>(i)];
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The largest line id among the axis line records, 0 when there is none.
inline int largestLineId()
{
    unsigned char record[TEVA_SIZE_AXIS_LINE];
    int largest = 0;
    DB_getr(TEVA_REC_AXIS_LINE, nullptr);
    while (DB_getr(TEVA_REC_AXIS_LINE, record) == 0)
        largest = std::max(largest, getI16(record, 0));
    return largest;
}

// Adds a two-point axis line named `name` (type 0) with the next line id;
// answers the line id. Call DB_restruct before querying the model.
inline int addAxis(const char* name, double x1, double y1, double x2, double y2)
{
    const int id = largestLineId() + 1;
    unsigned char line[TEVA_SIZE_AXIS_LINE] = {};
    putI16(line, 0, id);
    putI16(line, 2, 0);
    putI16(line, 4, DB_Usno(TEVA_NAME_AXIS, name));
    putI16(line, 6, 1);
    putI16(line, 8, 2);
    putF64(line, 16, x1);
    putF64(line, 24, y1);
    unsigned char point[TEVA_SIZE_AXIS_POINT] = {};
    putI16(point, 0, id);
    putI16(point, 2, 2);
    putF64(point, 8, x2);
    putF64(point, 16, y2);
    if (DB_put(TEVA_REC_AXIS_LINE, line) != 0 || DB_put(TEVA_REC_AXIS_POINT, point) != 0)
        return -1;
    return id;
}

// Adds a level record (type 1 absolute, 2 relative to storey `baseStorey`)
// named `name`; answers its sub-layer number.
inline int addLevel(int type, const char* name, int baseStorey, double height)
{
    const int number = DB_Usno(TEVA_NAME_SUBLAYER, name);
    unsigned char level[TEVA_SIZE_LEVEL] = {};
    putI16(level, 0, type);
    putI16(level, 2, number);
    putI16(level, 4, baseStorey);
    putF64(level, 8, height);
    return DB_put(TEVA_REC_LEVEL, level) == 0 ? number : -1;
}

// A slope as the editor registers it: the names of its edge axes in outline
// order, its lower and upper layers (storey and sub-layer number) and the
// names of its bottom and top edge axes.
struct SlopeSpec {
    const char* name = "sl:1";
    std::vector<const char*> edges;
    int lowerStorey = 1;
    int lowerSub = 0;
    const char* bottom = "";
    int upperStorey = 2;
    int upperSub = 0;
    const char* top = "";
    int definitionType = 0;
    int meshRecord = 0;
};

// Writes the slope record and its edge records (edges 5 ... n); answers the
// slope number, whose layer code is -(32768 × number + lowerStorey).
inline int addSlope(const SlopeSpec& spec)
{
    const int number = DB_Usno(TEVA_NAME_SLOPE, spec.name);
    if (number < 1)
        return -1;
    unsigned char slope[TEVA_SIZE_SLOPE] = {};
    putI16(slope, 0, number);
    const int n = static_cast<int>(spec.edges.size());
    for (int e = 1; e <= n; ++e) {
        const int code = DB_Usfind(TEVA_NAME_AXIS, spec.edges[static_cast<std::size_t>(e - 1)]);
        if (e <= 4) {
            putI16(slope, static_cast<std::size_t>(2 * e), code);
        } else {
            unsigned char edge[TEVA_SIZE_SLOPE_EDGE] = {};
            putI16(edge, 0, number);
            putI16(edge, 2, e);
            putI16(edge, 4, code);
            if (DB_put(TEVA_REC_SLOPE_EDGE, edge) != 0)
                return -1;
        }
    }
    putI16(slope, 10, n);
    putI16(slope, 14, spec.lowerStorey);
    putI16(slope, 16, spec.lowerSub);
    putI16(slope, 18, DB_Usfind(TEVA_NAME_AXIS, spec.bottom));
    putI16(slope, 22, spec.definitionType);
    putI16(slope, 24, spec.upperStorey);
    putI16(slope, 26, spec.upperSub);
    putI16(slope, 28, DB_Usfind(TEVA_NAME_AXIS, spec.top));
    putI16(slope, 32, spec.meshRecord);
    return DB_put(TEVA_REC_SLOPE, slope) == 0 ? number : -1;
}

inline int slopeCode(int number, int lowerStorey)
{
    return -(32768 * number + lowerStorey);
}

// The 3 × 3 grid building: storeys "1F" at 0, "2F" at 3000, "3F" at 6000;
// axes X1, X2, X3 (lines 1-3) running along Y at x = 0, 6000, 12000 from
// y = -1000 to 11000, and Y1, Y2, Y3 (lines 4-6) running along X at
// y = 0, 5000, 10000 from x = -1000 to 13000. Creates and opens `path`.
inline bool makeGridBuilding(const std::string& path)
{
    if (teva_create(path.c_str(), "Grid building") != 0)
        return false;
    if (teva_add_storey("1F", 0) != 1 || teva_add_storey("2F", 3000) != 2 ||
        teva_add_storey("3F", 6000) != 3)
        return false;
    const double xs[] = {0, 6000, 12000};
    const double ys[] = {0, 5000, 10000};
    const char* xNames[] = {"X1", "X2", "X3"};
    const char* yNames[] = {"Y1", "Y2", "Y3"};
    for (int i = 0; i < 3; ++i)
        if (addAxis(xNames[i], xs[i], -1000, xs[i], 11000) < 1)
            return false;
    for (int i = 0; i < 3; ++i)
        if (addAxis(yNames[i], -1000, ys[i], 13000, ys[i]) < 1)
            return false;
    return DB_restruct(0) == 0;
}

} // namespace modeldbtest
