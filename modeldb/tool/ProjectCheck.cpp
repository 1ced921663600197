#include "ProjectCheck.h"

#include "MessageText.h"
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
// Corner heights come back as floats in millimetres: 1 mm is well above
// their rounding.
constexpr double kHeightTolerance = 1.0;

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

std::string s(int v) { return std::to_string(v); }

std::string nameOf(int kind, int number)
{
    if (number < 1 || number > 32767)
        return {};
    char buf[64] = {};
    if (DB_Usnam(kind, static_cast<short>(number), buf) != 0)
        return {};
    buf[63] = '\0';
    return buf;
}

// A slope record with the axis name codes of all its edges.
struct SlopeRecords {
    SlopeRecord record;
    std::vector<int> edges;  // edges 1 ... n, 0 where an edge record is missing
};

std::map<int, SlopeRecords> readSlopes()
{
    std::map<int, SlopeRecords> slopes;
    forEachRecord<TEVA_SIZE_SLOPE>(TEVA_REC_SLOPE, [&](const unsigned char* rec) {
        const SlopeRecord r = decodeSlope(rec);
        SlopeRecords& entry = slopes[r.slopeNumber];
        entry.record = r;
        entry.edges.assign(static_cast<size_t>(std::max<int>(r.vertexCount, 0)), 0);
        for (int j = 0; j < 4 && j < r.vertexCount; ++j)
            entry.edges[static_cast<size_t>(j)] = r.edgeAxis[j];
    });
    forEachRecord<TEVA_SIZE_SLOPE_EDGE>(TEVA_REC_SLOPE_EDGE, [&](const unsigned char* rec) {
        const SlopeEdgeRecord e = decodeSlopeEdge(rec);
        auto it = slopes.find(e.slopeNumber);
        if (it != slopes.end() && e.edgeNumber >= 5 && e.edgeNumber <= static_cast<int>(it->second.edges.size()))
            it->second.edges[static_cast<size_t>(e.edgeNumber - 1)] = e.axis;
    });
    return slopes;
}

// "slope "South" (1)", or "slope 1" when it has no name.
std::string slopeLabel(int number)
{
    const std::string name = nameOf(TEVA_NAME_SLOPE, number);
    return name.empty() ? "slope " + s(number) : "slope " + jsonQuoted(name) + " (" + s(number) + ")";
}

// The bottom and top axes must be edges of the slope: the library takes
// the corners on them as the plane's heights, and finds none otherwise.
void checkEdgeFields(const std::map<int, SlopeRecords>& slopes, std::vector<std::string>& problems)
{
    for (const auto& [number, slope] : slopes) {
        const auto& edges = slope.edges;
        // An incomplete outline is the library's check's to report.
        if (edges.size() < 3 || std::find(edges.begin(), edges.end(), 0) != edges.end())
            continue;
        const SlopeRecord& r = slope.record;
        auto isEdge = [&](int axis) { return std::find(edges.begin(), edges.end(), axis) != edges.end(); };
        if (!isEdge(r.bottomAxis))
            problems.push_back(slopeLabel(number) + ": its bottom axis (name " + s(r.bottomAxis) +
                               ") is none of its edges");
        if (!isEdge(r.topAxis))
            problems.push_back(slopeLabel(number) + ": its top axis (name " + s(r.topAxis) +
                               ") is none of its edges");
    }
}

double layerHeight(int storey, int sub)
{
    unsigned char buf[16] = {};
    if (sub <= 0)
        return DB_Uhgget(1, storey, buf) == 0 ? getF64(buf, 8) : NAN;
    // A sub-layer's height is that of any crossing on it.
    float x, y, z;
    if (sp_GetMaxCros() >= 1 && sp_GetCord3d(storey + 32768 * sub, 1, &x, &y, &z) == 0)
        return z;
    return NAN;
}

// Why the library finds a slope's outline invalid, by its rule: fewer than
// three edges, a lower or upper layer that does not exist (or is a slope),
// an edge whose axis does not exist.
std::string outlineFaults(const SlopeRecords& slope)
{
    const SlopeRecord& r = slope.record;
    std::vector<std::string> faults;
    if (r.vertexCount < 3)
        faults.push_back("it has " + s(r.vertexCount) + " edges, fewer than three");
    auto layer = [&](const char* which, int storey, int sub) {
        const int code = storey + 32768 * std::max(sub, 0);
        if (storey < 1 || sp_layls(code) == 0)
            faults.push_back(std::string("its ") + which + " layer (storey " + s(storey) +
                             (sub > 0 ? ", sub-layer " + s(sub) : std::string()) + ") does not exist");
    };
    layer("lower", r.lowerStorey, r.lowerSub);
    layer("upper", r.upperStorey, r.upperSub);
    // A damaged slope may lack thousands of edges: the first few are told.
    constexpr int kEdgesTold = 3;
    int badEdges = 0;
    for (size_t j = 0; j < slope.edges.size(); ++j) {
        const int axis = slope.edges[j];
        if (axis != 0 && sp_wno(axis) >= 1)
            continue;
        if (++badEdges > kEdgesTold)
            continue;
        const std::string edge = "edge " + s(static_cast<int>(j) + 1);
        if (axis == 0) {
            faults.push_back(edge + (j >= 4 ? " has no edge record" : " names no axis"));
        } else {
            const std::string name = nameOf(TEVA_NAME_AXIS, axis);
            faults.push_back(edge + " names axis " + (name.empty() ? std::string() : jsonQuoted(name) + " ") +
                             "(name " + s(axis) + "), which does not exist");
        }
    }
    if (badEdges > kEdgesTold)
        faults.push_back("and " + s(badEdges - kEdgesTold) + " more edges without an axis");
    std::string text;
    for (const std::string& f : faults)
        text += (text.empty() ? "" : "; ") + f;
    return text.empty() ? "the library gives no reason" : text;
}

// A slope's outline as the model answers it, and its corners' heights
// against the layers its record names.
void checkOutline(int code, const SlopeRecords& slope, std::vector<std::string>& problems)
{
    const SlopeRecord& r = slope.record;
    const std::string what = slopeLabel(r.slopeNumber);
    const int n = sp_GetMaxBayS(code);
    if (n == 0) {
        problems.push_back(what + ": the outline is invalid, so the editor can neither show nor delete the slope: " +
                           outlineFaults(slope) + " (teva delete-slope removes it)");
        return;
    }
    if (n != r.vertexCount) {
        problems.push_back(what + " has an outline of " + s(n) + " edges, its record " + s(r.vertexCount));
        return;
    }
    std::vector<int> list(static_cast<size_t>(n) + 1), axes(static_cast<size_t>(n) + 1);
    for (int j = 0; j <= n; ++j)
        list[static_cast<size_t>(j)] = j + 1;
    if (sp_pwno_N(code, n, list.data()) != n || sp_pwno_L(code, n, list.data(), axes.data()) < 0) {
        problems.push_back(what + ": the outline query answers another edge count");
        return;
    }
    const double lower = layerHeight(r.lowerStorey, r.lowerSub);
    const double upper = layerHeight(r.upperStorey, r.upperSub);
    for (int j = 0; j < n; ++j) {
        const int a = axes[static_cast<size_t>(j)], b = axes[static_cast<size_t>((j + 1) % n)];
        const std::string corner = "corner " + s(j + 1) + " (" + jsonQuoted(nameOf(TEVA_NAME_AXIS, sp_wnam(a))) +
                                   "/" + jsonQuoted(nameOf(TEVA_NAME_AXIS, sp_wnam(b))) + ")";
        const int crossing = sp_xnow(a, b);
        if (crossing <= 0) {
            problems.push_back(what + ": " + corner + ": its edge axes do not cross");
            continue;
        }
        float x, y, z;
        if (sp_GetCord3d(code, crossing, &x, &y, &z) != 0) {
            problems.push_back(what + ": " + corner + " has no position");
            continue;
        }
        const int nameA = sp_wnam(a), nameB = sp_wnam(b);
        double expected = NAN;
        if (nameA == r.bottomAxis || nameB == r.bottomAxis)
            expected = lower;
        else if (nameA == r.topAxis || nameB == r.topAxis)
            expected = upper;
        if (std::isfinite(expected) && std::fabs(z - expected) > kHeightTolerance)
            problems.push_back(what + ": " + corner + " lies at height " + formatNumber(z) + ", its layer at " +
                               formatNumber(expected) + " (the outline is not plane)");
    }
}

// Every layer entry is found again by its code; slope entries have their
// records, outlines and planes.
void checkLayerList(const std::map<int, SlopeRecords>& slopes, bool recordsSound,
                    std::vector<std::string>& problems)
{
    int layerCount = 0;
    std::set<int> listed;
    for (int i = 1; i < kMaxRecords; ++i) {
        const int code = sp_lslay(i);
        if (code == 0)
            break;
        ++layerCount;
        if (sp_layls(code) != i)
            problems.push_back("layer " + s(code) + " is listed at " + s(i) + " but found at " + s(sp_layls(code)));
        if (sp_cpnam(code) != code)
            problems.push_back("layer " + s(code) + " has name code " + s(sp_cpnam(code)));
        if (code > 0)
            continue;
        const int number = (-code) / 32768;
        listed.insert(number);
        const auto it = slopes.find(number);
        if (it == slopes.end())
            problems.push_back("slope layer " + s(code) + " has no slope record");
        else
            checkOutline(code, it->second, problems);
    }
    for (const auto& [number, slope] : slopes) {
        if (!listed.count(number))
            problems.push_back(slopeLabel(number) + ": its lower storey (" + s(slope.record.lowerStorey) +
                               ") does not exist, so it is no layer and the editor cannot see it"
                               " (teva delete-slope removes it)");
    }
    if (!recordsSound)
        return;
    int levels = 0;
    forEachRecord<TEVA_SIZE_LEVEL>(TEVA_REC_LEVEL, [&](const unsigned char*) { ++levels; });
    const int storeys = sp_GetMaxSeqLay();
    if (layerCount != storeys + levels + static_cast<int>(slopes.size()))
        problems.push_back("the layer list has " + s(layerCount) + " entries for " + s(storeys) + " storeys, " +
                           s(levels) + " levels and " + s(static_cast<int>(slopes.size())) + " slopes");
    if (sp_GetMaxLevel() != levels)
        problems.push_back("the model counts " + s(sp_GetMaxLevel()) + " levels, the records " + s(levels));
}

} // namespace

std::vector<std::string> checkProjectConsistency(bool recordsSound)
{
    std::vector<std::string> problems;
    if (DB_restruct(0) != 0) {
        problems.push_back("the model cannot be recomputed (no project open?)");
        return problems;
    }
    const std::map<int, SlopeRecords> slopes = readSlopes();
    checkEdgeFields(slopes, problems);
    checkLayerList(slopes, recordsSound, problems);
    return problems;
}

std::vector<std::string> checkProject()
{
    std::vector<std::string> problems;
    const bool recordsSound = teva_check() == 0;
    if (!recordsSound) {
        std::istringstream in(teva_last_error() ? teva_last_error() : "");
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty())
                problems.push_back(line);
        }
        if (problems.empty())
            problems.push_back("the library's check failed without a message");
    }
    for (std::string& p : checkProjectConsistency(recordsSound))
        problems.push_back(std::move(p));
    return problems;
}

} // namespace teva
