#include "ProjectCheck.h"

#include "RecordLayouts.h"
#include "tevalib.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <sstream>

namespace teva {

namespace {

// Enumerations stop here even if the library never answers "end".
constexpr int kMaxRecords = 1 << 20;

template <size_t N, typename F>
void forEachRecord(int kind, F f)
{
    DB_getr(kind, nullptr);
    unsigned char rec[N];
    for (int i = 0; i < kMaxRecords; ++i) {
        std::memset(rec, 0, N);
        if (DB_getr(kind, rec) != 0)
            break;
        f(static_cast<const unsigned char*>(rec));
    }
}

bool nameExists(int kind, int number)
{
    if (number < 1 || number > 32767)
        return false;
    char buf[64] = {};
    return DB_Usino(kind, static_cast<short>(number), buf) == 0;
}

std::string s(int v) { return std::to_string(v); }

std::string f(double v)
{
    std::ostringstream o;
    o << v;
    return o.str();
}

} // namespace

std::vector<std::string> checkProjectConsistency()
{
    std::vector<std::string> problems;
    auto problem = [&](std::string p) { problems.push_back(std::move(p)); };

    if (DB_restruct(0) != 0) {
        problem("the model cannot be recomputed (no project open?)");
        return problems;
    }

    // Storeys: numbered 1 ... K by ascending height, each with its name.
    const int storeys = sp_GetMaxSeqLay();
    if (storeys < 1)
        problem("the project has no storey");
    double previous = -HUGE_VAL;
    std::vector<double> storeyHeight(static_cast<size_t>(std::max(storeys, 0)) + 1, 0.0);
    for (int k = 1; k <= storeys; ++k) {
        if (!nameExists(TEVA_NAME_STOREY, k))
            problem("storey " + s(k) + " has no name");
        unsigned char buf[16] = {};
        if (DB_Uhgget(1, k, buf) != 0) {
            problem("storey " + s(k) + " has no height");
            continue;
        }
        const double h = getF64(buf, 8);
        storeyHeight[static_cast<size_t>(k)] = h;
        if (!(h > previous))
            problem("storey " + s(k) + " at " + f(h) + " is not above the storey below it");
        previous = h;
    }

    // Levels.
    std::map<int, int> levelStorey;  // kind-3 name number -> base storey
    forEachRecord<TEVA_SIZE_LEVEL>(TEVA_REC_LEVEL, [&](const unsigned char* rec) {
        const LevelRecord l = decodeLevel(rec);
        const std::string what = "level record " + s(l.nameNumber);
        if (l.type != 1 && l.type != 2)
            problem(what + " has type " + s(l.type));
        if (!nameExists(TEVA_NAME_SUBLAYER, l.nameNumber))
            problem(what + " has no sub-layer name");
        if (l.type == 2 && (l.baseLayer < 1 || l.baseLayer > storeys))
            problem(what + " lies on storey " + s(l.baseLayer) + ", which does not exist");
        if (!std::isfinite(l.height))
            problem(what + " has no finite height");
        levelStorey[l.nameNumber] = l.baseLayer;
    });

    // Axis lines and their further points.
    std::map<int, int> linePoints;  // line id -> point count
    std::set<int> axisNames;
    forEachRecord<TEVA_SIZE_AXIS_LINE>(TEVA_REC_AXIS_LINE, [&](const unsigned char* rec) {
        const AxisLineRecord a = decodeAxisLine(rec);
        linePoints[a.lineId] = a.pointCount;
        if (a.type < 0 || a.type > 3)
            return;  // not an axis
        const std::string what = "axis line " + s(a.lineId);
        if (!nameExists(TEVA_NAME_AXIS, a.nameNumber))
            problem(what + " has no axis name (" + s(a.nameNumber) + ")");
        if (a.pointCount < 2)
            problem(what + " has " + s(a.pointCount) + " point(s)");
        axisNames.insert(a.nameNumber);
    });
    std::set<std::pair<int, int>> points;
    forEachRecord<TEVA_SIZE_AXIS_POINT>(TEVA_REC_AXIS_POINT, [&](const unsigned char* rec) {
        const AxisPointRecord p = decodeAxisPoint(rec);
        auto it = linePoints.find(p.lineId);
        if (it == linePoints.end())
            problem("axis point " + s(p.index) + " belongs to line " + s(p.lineId) + ", which does not exist");
        else if (p.index < 2 || p.index > it->second)
            problem("axis point " + s(p.index) + " of line " + s(p.lineId) + " is beyond its " +
                    s(it->second) + " points");
        points.insert({p.lineId, p.index});
    });
    for (const auto& [id, count] : linePoints) {
        for (int i = 2; i <= count && i <= 32767; ++i) {
            if (!points.count({id, i}))
                problem("axis line " + s(id) + " lacks its point " + s(i));
        }
    }

    // Slopes and their later edges.
    std::map<int, SlopeRecord> slopes;
    forEachRecord<TEVA_SIZE_SLOPE>(TEVA_REC_SLOPE, [&](const unsigned char* rec) {
        const SlopeRecord r = decodeSlope(rec);
        slopes[r.slopeNumber] = r;
    });
    std::map<int, std::map<int, int>> laterEdges;  // slope -> edge -> axis
    forEachRecord<TEVA_SIZE_SLOPE_EDGE>(TEVA_REC_SLOPE_EDGE, [&](const unsigned char* rec) {
        const SlopeEdgeRecord e = decodeSlopeEdge(rec);
        laterEdges[e.slopeNumber][e.edgeNumber] = e.axis;
        auto it = slopes.find(e.slopeNumber);
        if (it == slopes.end())
            problem("edge " + s(e.edgeNumber) + " belongs to slope " + s(e.slopeNumber) +
                    ", which does not exist");
        else if (e.edgeNumber < 5 || e.edgeNumber > it->second.vertexCount)
            problem("edge " + s(e.edgeNumber) + " of slope " + s(e.slopeNumber) + " is beyond its " +
                    s(it->second.vertexCount) + " edges");
    });
    auto checkLayer = [&](const std::string& what, int storey, int sub) {
        if (storey < 1 || storey > storeys)
            problem(what + " lies on storey " + s(storey) + ", which does not exist");
        else if (sub != 0 && sp_GetSubLayNo(storey, sub) != sub)
            problem(what + " lies on sub-layer " + s(sub) + " of storey " + s(storey) +
                    ", which does not exist");
    };
    for (const auto& [number, r] : slopes) {
        const std::string what = "slope " + s(number);
        if (!nameExists(TEVA_NAME_SLOPE, number))
            problem(what + " has no slope name");
        if (r.vertexCount < 3) {
            problem(what + " has " + s(r.vertexCount) + " edges");
            continue;
        }
        std::vector<int> edges;
        for (int j = 1; j <= r.vertexCount; ++j) {
            int axis = 0;
            if (j <= 4) {
                axis = r.edgeAxis[j - 1];
            } else {
                auto it = laterEdges[number].find(j);
                if (it == laterEdges[number].end()) {
                    problem(what + " lacks its edge record " + s(j));
                    continue;
                }
                axis = it->second;
            }
            if (sp_wno(axis) < 1)
                problem(what + " edge " + s(j) + " names axis " + s(axis) + ", which does not exist");
            edges.push_back(axis);
        }
        auto isEdge = [&](int axis) { return std::find(edges.begin(), edges.end(), axis) != edges.end(); };
        if (!isEdge(r.bottomAxis))
            problem(what + " has bottom axis " + s(r.bottomAxis) + ", which is none of its edges");
        if (!isEdge(r.topAxis))
            problem(what + " has top axis " + s(r.topAxis) + ", which is none of its edges");
        checkLayer(what + "'s lower layer", r.lowerStorey, r.lowerSub);
        checkLayer(what + "'s upper layer", r.upperStorey, r.upperSub);
    }

    // Layer list: every entry found again by its code, slopes with the
    // outline of their record and corners on their layers' heights.
    int slopeLayers = 0;
    int layerCount = 0;
    for (int i = 1; i < kMaxRecords; ++i) {
        const int code = sp_lslay(i);
        if (code == 0)
            break;
        ++layerCount;
        if (sp_layls(code) != i)
            problem("layer " + s(code) + " is listed at " + s(i) + " but found at " + s(sp_layls(code)));
        if (sp_cpnam(code) != code)
            problem("layer " + s(code) + " has name code " + s(sp_cpnam(code)));
        if (code > 0)
            continue;
        ++slopeLayers;
        const int number = (-code) / 32768;
        auto it = slopes.find(number);
        if (it == slopes.end()) {
            problem("slope layer " + s(code) + " has no slope record");
            continue;
        }
        const SlopeRecord& r = it->second;
        const int n = sp_GetMaxBayS(code);
        if (n != r.vertexCount) {
            problem("slope " + s(number) + " has an outline of " + s(n) + " edges, its record " +
                    s(r.vertexCount));
            continue;
        }
        std::vector<int> list(static_cast<size_t>(n) + 1), axes(static_cast<size_t>(n) + 1);
        for (int j = 0; j <= n; ++j)
            list[static_cast<size_t>(j)] = j + 1;
        if (sp_pwno_N(code, n, list.data()) != n) {
            problem("slope " + s(number) + ": the outline query answers another edge count");
            continue;
        }
        sp_pwno_L(code, n, list.data(), axes.data());
        auto heightOf = [&](int storey, int sub) -> double {
            if (storey < 1 || storey > storeys)
                return NAN;
            if (sub == 0)
                return storeyHeight[static_cast<size_t>(storey)];
            // A sub-layer's height is that of any crossing on it.
            float x, y, z;
            if (sp_GetMaxCros() >= 1 && sp_GetCord3d(storey + 32768 * sub, 1, &x, &y, &z) == 0)
                return z;
            return NAN;
        };
        const double lower = heightOf(r.lowerStorey, r.lowerSub);
        const double upper = heightOf(r.upperStorey, r.upperSub);
        for (int j = 0; j < n; ++j) {
            const int a = axes[static_cast<size_t>(j)], b = axes[static_cast<size_t>((j + 1) % n)];
            const int crossing = sp_xnow(a, b);
            if (crossing <= 0) {
                problem("slope " + s(number) + ": edge axes " + s(a) + " and " + s(b) + " do not cross");
                continue;
            }
            float x, y, z;
            if (sp_GetCord3d(code, crossing, &x, &y, &z) != 0) {
                problem("slope " + s(number) + ": corner " + s(j + 1) + " has no position");
                continue;
            }
            const int nameA = sp_wnam(a), nameB = sp_wnam(b);
            double expected = NAN;
            if (nameA == r.bottomAxis || nameB == r.bottomAxis)
                expected = lower;
            else if (nameA == r.topAxis || nameB == r.topAxis)
                expected = upper;
            // Heights are floats in millimetres: 1 mm is well above rounding.
            if (std::isfinite(expected) && std::fabs(z - expected) > 1.0)
                problem("slope " + s(number) + ": corner " + s(j + 1) + " lies at height " + f(z) +
                        ", its layer at " + f(expected) + " (the outline is not plane)");
        }
    }
    if (slopeLayers != static_cast<int>(slopes.size()))
        problem(s(static_cast<int>(slopes.size())) + " slope records but " + s(slopeLayers) +
                " slope layers");
    const int levels = sp_GetMaxLevel();
    if (layerCount != storeys + static_cast<int>(levelStorey.size()) + static_cast<int>(slopes.size()))
        problem("the layer list has " + s(layerCount) + " entries for " + s(storeys) + " storeys, " +
                s(static_cast<int>(levelStorey.size())) + " levels and " +
                s(static_cast<int>(slopes.size())) + " slopes");
    if (levels != static_cast<int>(levelStorey.size()))
        problem("the model counts " + s(levels) + " levels, the records " +
                s(static_cast<int>(levelStorey.size())));
    return problems;
}

std::vector<std::string> checkProject()
{
    std::vector<std::string> problems;
    if (teva_check() != 0) {
        std::istringstream in(teva_last_error() ? teva_last_error() : "");
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty())
                problems.push_back(line);
        }
        if (problems.empty())
            problems.push_back("the library's check failed without a message");
    }
    for (std::string& p : checkProjectConsistency())
        problems.push_back(std::move(p));
    return problems;
}

} // namespace teva
