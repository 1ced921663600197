// Test buildings made through the model database library's own entries:
// a temporary folder for project files and helpers that write storeys,
// axes, levels and slopes into the open project.
#pragma once

#include "RecordLayouts.h"
#include "TempDir.h"
#include "tevalib.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace modeldbtest {

using TempDir = testing_support::TempDir;

// Little-endian field access for record buffers, as the library stores them.
using teva::getF64;
using teva::getI16;
using teva::putF64;
using teva::putI16;

// The largest line id among the axis line records, 0 when there is none.
inline int largestLineId()
{
    unsigned char record[TEVA_SIZE_AXIS_LINE];
    int largest = 0;
    DB_getr(TEVA_REC_AXIS_LINE, nullptr);
    while (DB_getr(TEVA_REC_AXIS_LINE, record) == 0)
        largest = std::max<int>(largest, getI16(record, 0));
    return largest;
}

// Adds a two-point axis line named `name` (type 0) with the next line id;
// answers the line id. Call DB_restruct before querying the model.
inline int addAxis(const char* name, double x1, double y1, double x2, double y2)
{
    const int id = largestLineId() + 1;
    const auto lineId = static_cast<std::int16_t>(id);
    teva::AxisLineRecord axis;
    axis.lineId = lineId;
    axis.nameNumber = static_cast<std::int16_t>(DB_Usno(TEVA_NAME_AXIS, name));
    axis.layer = 1;
    axis.pointCount = 2;
    axis.x1 = x1;
    axis.y1 = y1;
    unsigned char line[teva::AxisLineRecord::size] = {};
    teva::encode(axis, line);
    unsigned char point[teva::AxisPointRecord::size] = {};
    teva::encode(teva::AxisPointRecord{lineId, 2, x2, y2}, point);
    if (DB_put(TEVA_REC_AXIS_LINE, line) != 0 || DB_put(TEVA_REC_AXIS_POINT, point) != 0)
        return -1;
    return id;
}

// Adds a level record (type 1 absolute, 2 relative to storey `baseStorey`)
// named `name`; answers its sub-layer number.
inline int addLevel(int type, const char* name, int baseStorey, double height)
{
    const int number = DB_Usno(TEVA_NAME_SUBLAYER, name);
    unsigned char level[teva::LevelRecord::size] = {};
    teva::encode(teva::LevelRecord{static_cast<std::int16_t>(type), static_cast<std::int16_t>(number),
                                   static_cast<std::int16_t>(baseStorey), height},
                 level);
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
    const auto i16 = [](int value) { return static_cast<std::int16_t>(value); };
    teva::SlopeRecord slope;
    slope.slopeNumber = i16(number);
    const int n = static_cast<int>(spec.edges.size());
    for (int e = 1; e <= n; ++e) {
        const int code = DB_Usfind(TEVA_NAME_AXIS, spec.edges[static_cast<std::size_t>(e - 1)]);
        if (e <= 4) {
            slope.edgeAxis[e - 1] = i16(code);
        } else {
            unsigned char edge[teva::SlopeEdgeRecord::size] = {};
            teva::encode(teva::SlopeEdgeRecord{i16(number), i16(e), i16(code)}, edge);
            if (DB_put(TEVA_REC_SLOPE_EDGE, edge) != 0)
                return -1;
        }
    }
    slope.vertexCount = i16(n);
    slope.lowerStorey = i16(spec.lowerStorey);
    slope.lowerSub = i16(spec.lowerSub);
    slope.bottomAxis = i16(DB_Usfind(TEVA_NAME_AXIS, spec.bottom));
    slope.definition = i16(spec.definitionType);
    slope.upperStorey = i16(spec.upperStorey);
    slope.upperSub = i16(spec.upperSub);
    slope.topAxis = i16(DB_Usfind(TEVA_NAME_AXIS, spec.top));
    slope.meshRecord = i16(spec.meshRecord);
    unsigned char record[teva::SlopeRecord::size] = {};
    teva::encode(slope, record);
    return DB_put(TEVA_REC_SLOPE, record) == 0 ? number : -1;
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
