#include "model/SlopeDefinitionChecks.h"

#include <algorithm>
#include <optional>
#include <string>

#include "Dialogs.h"
#include "model/ModelDbLibrary.h"
#include "model/ModelQueries.h"
#include "model/PlanSegments.h"
#include "model/RegisteredSlopeSearch.h"
#include "model/SlopeMessages.h"

namespace {

// A cut end lies on an edge's line when the cross product of the edge and
// the way to the point is shorter than this.
constexpr double kOnEdgeLine = 0.001;

Vec3d Plan(const Vec3d& p) { return {p.x, p.y, 0.0}; }

// Calls `visit` with the plan ends of every span of `layer` whose end nodes
// have readable positions, until it answers true; answers whether it did.
template <typename Visit>
bool AnySpan(LayerCode layer, Visit visit) {
    const ModelDbEntries& db = Db();
    const int spans = db.sp_GetMaxSpan(layer);
    for (int span = 1; span <= spans; ++span) {
        int node1 = 0, node2 = 0;
        if (db.sp_snon(layer, span, &node1, &node2) < 0) continue;
        const auto a = NodePositionOnLayer(layer, node1);
        const auto b = NodePositionOnLayer(layer, node2);
        if (a && b && visit(Plan(*a), Plan(*b))) return true;
    }
    return false;
}

// Storey layers by sequence number from `first` while below `end` (0: to
// the end of the list); slope entries are skipped.
template <typename Visit>
bool AnyLayer(int first, int end, Visit visit) {
    for (int sequence = std::max(first, 1); end == 0 || sequence < end; ++sequence) {
        const LayerCode layer = Db().sp_lslay(sequence);
        if (layer == 0) break;
        if (layer < 0) continue;
        if (visit(layer)) return true;
    }
    return false;
}

std::optional<std::string> SlopeName(LayerCode slope) {
    char buffer[128] = {};
    if (Db().DB_Usnam(4, SlopeNumberOf(Db().sp_cpnam(slope)), buffer) != 0) return std::nullopt;
    buffer[sizeof buffer - 1] = '\0';
    return std::string(buffer);
}

std::string WithName(const char* pattern, const std::string& name) {
    std::string text = pattern;
    text.replace(text.find("%s"), 2, name);
    return text;
}

// How many of the cut's two ends lie on the line of some edge of the slope.
int EndsOnEdgeLines(const SlopePolygon& slope, const Segment3d& cut) {
    int count = 0;
    for (const Vec3d& p : {cut.p1, cut.p2}) {
        for (size_t i = 0; i < slope.size(); ++i) {
            const Vec3d& v = slope[i];
            const Vec3d& next = slope[(i + 1) % slope.size()];
            if (Length(Cross(next - v, p - v)) < kOnEdgeLine) {
                ++count;
                break;
            }
        }
    }
    return count;
}

}  // namespace

bool PeripheralWallsPresent(const WorkingPolygon& polygon, LayerCode lower, LayerCode upper, size_t* missing) {
    const ModelDbEntries& db = Db();
    const size_t n = polygon.Size();
    const int first = db.sp_layls(lower), end = db.sp_layls(upper);
    for (size_t i = 0; i < n; ++i) {
        const NodeRef& a = polygon.nodes[i];
        const NodeRef& b = polygon.nodes[(i + 1) % n];
        if (a.node == b.node) continue;
        if (db.sp_Pnt2ToSpanFB(lower, a.node, b.node) >= 0) continue;
        const Vec3d pa = Plan(polygon.positions[i]), pb = Plan(polygon.positions[(i + 1) % n]);
        // An empty range (the upper layer not above the lower) finds nothing.
        const bool found = end > first && AnyLayer(first, end, [&](LayerCode layer) {
            return AnySpan(layer, [&](const Vec3d& c, const Vec3d& d) { return SegmentsCollinear(pa, pb, c, d); });
        });
        if (!found) {
            if (missing) *missing = i;
            return false;
        }
    }
    return true;
}

bool IntersectionLinesDefined(const SlopePolygon& polygon, LayerCode* met) {
    const auto cut = SlopeIntersectionSearch(polygon, true);
    if (!cut) return true;
    if (met) *met = cut->slope;
    platform::Dialogs& dialogs = platform::CurrentDialogs();
    const std::optional<std::string> name = SlopeName(cut->slope);
    SlopeOutline outline;
    const bool outlined = ReadSlopeOutline(cut->slope, outline) == OutlineStatus::Ok;
    if (!outlined || EndsOnEdgeLines(outline.positions, cut->segment) != 1) {
        if (!name) {
            dialogs.ShowMessage(kSlopesOverlapMessage);
            return false;
        }
        const auto answer = dialogs.ShowMessage(WithName(kOverlapQuestionMessage, *name),
                                                platform::MessageButtons::YesNo);
        if (answer != platform::MessageResult::Yes) return false;
    }
    // The cut must have been drawn as an axis: some span lies on its line.
    Vec3d p1 = Plan(cut->segment.p1), p2 = Plan(cut->segment.p2);
    if (p2.x < p1.x || (p2.x == p1.x && p2.y < p1.y)) std::swap(p1, p2);
    const bool drawn = AnyLayer(1, 0, [&](LayerCode layer) {
        return AnySpan(layer, [&](const Vec3d& a, const Vec3d& b) { return SegmentsCollinear(p1, p2, a, b); });
    });
    if (drawn) return true;
    dialogs.ShowMessage(name ? WithName(kIntersectionLineNamedMessage, *name) : kIntersectionLineMessage);
    return false;
}
