#include "ProjectWriter.h"

#include "RecordLayouts.h"
#include "tevalib.h"

#include <algorithm>

namespace teva {

namespace {

bool refused(std::string& error, const std::string& what, int result)
{
    error = what + " was refused (result " + std::to_string(result) + ")";
    const char* why = teva_last_error();
    if (why && *why)
        error += ": " + std::string(why);
    return false;
}

} // namespace

bool writeDescription(const BuildingDescription& d, const ResolvedDescription& r, std::string& error)
{
    for (size_t k = 0; k < r.storeyOrder.size(); ++k) {
        const StoreyEntry& s = d.storeys[static_cast<size_t>(r.storeyOrder[k])];
        const int number = teva_add_storey(s.name.c_str(), s.height);
        if (number != static_cast<int>(k) + 1)
            return refused(error, "storey \"" + s.name + "\"", number);
    }

    std::vector<int16_t> axisName(d.axes.size());
    for (size_t i = 0; i < d.axes.size(); ++i) {
        const AxisEntry& a = d.axes[i];
        const short n = DB_Usno(TEVA_NAME_AXIS, a.name.c_str());
        if (n < 1)
            return refused(error, "axis name \"" + a.name + "\"", n);
        axisName[i] = n;
        AxisLineRecord line;
        line.lineId = static_cast<int16_t>(i + 1);
        line.type = static_cast<int16_t>(a.type);
        line.nameNumber = n;
        line.layer = 1;  // the name code of the first storey's main layer
        line.pointCount = 2;
        line.x1 = a.segment.a.x;
        line.y1 = a.segment.a.y;
        unsigned char rec[TEVA_SIZE_AXIS_LINE];
        encode(line, rec);
        if (int res = DB_put(TEVA_REC_AXIS_LINE, rec); res != 0)
            return refused(error, "axis line \"" + a.name + "\"", res);
        AxisPointRecord point{line.lineId, 2, a.segment.b.x, a.segment.b.y};
        unsigned char prec[TEVA_SIZE_AXIS_POINT];
        encode(point, prec);
        if (int res = DB_put(TEVA_REC_AXIS_POINT, prec); res != 0)
            return refused(error, "axis point of \"" + a.name + "\"", res);
    }

    std::vector<int16_t> levelName(d.levels.size());
    for (size_t i = 0; i < d.levels.size(); ++i) {
        const LevelEntry& l = d.levels[i];
        const short n = DB_Usno(TEVA_NAME_SUBLAYER, l.name.c_str());
        if (n < 1)
            return refused(error, "level name \"" + l.name + "\"", n);
        levelName[i] = n;
        LevelRecord level;
        level.type = static_cast<int16_t>(l.type);
        level.nameNumber = n;
        level.baseLayer = static_cast<int16_t>(r.levelStorey[i]);
        level.height = l.height;
        unsigned char rec[TEVA_SIZE_LEVEL];
        encode(level, rec);
        if (int res = DB_put(TEVA_REC_LEVEL, rec); res != 0)
            return refused(error, "level \"" + l.name + "\"", res);
    }

    for (size_t i = 0; i < d.slopes.size(); ++i) {
        const SlopeEntry& s = d.slopes[i];
        const ResolvedSlope& rs = r.slopes[i];
        const short n = DB_Usno(TEVA_NAME_SLOPE, s.name.c_str());
        if (n < 1)
            return refused(error, "slope name \"" + s.name + "\"", n);
        SlopeRecord rec;
        rec.slopeNumber = n;
        const size_t edges = rs.edgeAxes.size();
        for (size_t j = 0; j < std::min<size_t>(edges, 4); ++j)
            rec.edgeAxis[j] = axisName[static_cast<size_t>(rs.edgeAxes[j])];
        rec.vertexCount = static_cast<int16_t>(edges);
        rec.lowerStorey = static_cast<int16_t>(rs.lower.storey);
        rec.lowerSub = rs.lower.level >= 0 ? levelName[static_cast<size_t>(rs.lower.level)] : 0;
        rec.bottomAxis = axisName[static_cast<size_t>(rs.bottomAxis)];
        rec.bottomCount = static_cast<int16_t>(std::min(rs.bottomCorners, 2) - 1);
        rec.upperStorey = static_cast<int16_t>(rs.upper.storey);
        rec.upperSub = rs.upper.level >= 0 ? levelName[static_cast<size_t>(rs.upper.level)] : 0;
        rec.topAxis = axisName[static_cast<size_t>(rs.topAxis)];
        rec.topCount = static_cast<int16_t>(std::min(rs.topCorners, 2) - 1);
        // The editor writes the edge records first and the slope record
        // last, so that a slope record never lacks its later edges.
        for (size_t j = 4; j < edges; ++j) {
            SlopeEdgeRecord edge{n, static_cast<int16_t>(j + 1),
                                 axisName[static_cast<size_t>(rs.edgeAxes[j])]};
            unsigned char erec[TEVA_SIZE_SLOPE_EDGE];
            encode(edge, erec);
            if (int res = DB_put(TEVA_REC_SLOPE_EDGE, erec); res != 0)
                return refused(error, "edge " + std::to_string(j + 1) + " of slope \"" + s.name + "\"", res);
        }
        unsigned char srec[TEVA_SIZE_SLOPE];
        encode(rec, srec);
        if (int res = DB_put(TEVA_REC_SLOPE, srec); res != 0)
            return refused(error, "slope \"" + s.name + "\"", res);
    }

    if (int res = DB_restruct(0); res != 0)
        return refused(error, "recomputing the model", res);
    return true;
}

} // namespace teva
