#include "model/EdgeLineScan.h"

#include <algorithm>

#include "model/ModelDbLibrary.h"
#include "model/ModelQueries.h"
#include "model/PlanSegments.h"

namespace {

Vec3d Plan(const Vec3d& p) { return {p.x, p.y, 0.0}; }

// The axis name code of a span's line, or nothing when a query fails.
std::optional<int32_t> SpanAxisCode(LayerCode layer, int span) {
    int axis = 0, cut1 = 0, cut2 = 0;
    if (Db().sp_snox(layer, span, &axis, &cut1, &cut2) != 0 || axis < 1) return std::nullopt;
    const int code = Db().sp_wnam(axis);
    if (code < 1) return std::nullopt;
    return code;
}

}  // namespace

const std::vector<SpanSegment>& SpanSegmentCache::SpansOf(LayerCode layer) {
    auto [it, inserted] = layers_.try_emplace(layer);
    if (!inserted) return it->second;
    const ModelDbEntries& db = Db();
    const int spans = db.sp_GetMaxSpan(layer);
    for (int span = 1; span <= spans; ++span) {
        const auto code = SpanAxisCode(layer, span);
        int node1 = 0, node2 = 0;
        if (!code || db.sp_snon(layer, span, &node1, &node2) != 0) continue;
        const auto a = NodePositionOnLayer(layer, node1);
        const auto b = NodePositionOnLayer(layer, node2);
        if (!a || !b) continue;
        it->second.push_back({*code, Plan(*a), Plan(*b)});
    }
    return it->second;
}

EdgeLine ScanEdge(const NodeRef& a, const NodeRef& b, const Vec3d& pa, const Vec3d& pb, LayerCode bottom, LayerCode top,
                  SpanSegmentCache& cache, EdgeLineSets& sets) {
    const ModelDbEntries& db = Db();
    const int span = db.sp_Pnt2ToSpanFB(bottom, a.node, b.node);
    if (span >= 0) {
        if (const auto code = SpanAxisCode(bottom, span)) {
            sets.carrying.push_back(*code);
            return EdgeLine::Carried;
        }
    }
    // Any collinear span that overlaps the edge carries it; the first
    // collinear one names the line otherwise.
    const Vec3d p = Plan(pa), q = Plan(pb);
    std::optional<int32_t> collinear;
    const int first = std::max(db.sp_layls(bottom), 1), end = db.sp_layls(top);
    for (int sequence = first; sequence < end; ++sequence) {
        const LayerCode layer = db.sp_lslay(sequence);
        if (layer == 0) break;
        if (layer < 0) continue;
        for (const SpanSegment& s : cache.SpansOf(layer)) {
            if (!SegmentsCollinear(p, q, s.a, s.b)) continue;
            if (SegmentsOverlap(p, q, s.a, s.b)) {
                sets.carrying.push_back(s.axis);
                return EdgeLine::Carried;
            }
            if (!collinear) collinear = s.axis;
        }
    }
    if (!collinear) return EdgeLine::Missing;
    sets.collinear.push_back(*collinear);
    return EdgeLine::Collinear;
}

bool SegmentOnSpan(const Vec3d& p1, const Vec3d& p2, SpanSegmentCache& cache) {
    const Vec3d p = Plan(p1), q = Plan(p2);
    for (int sequence = 1;; ++sequence) {
        const LayerCode layer = Db().sp_lslay(sequence);
        if (layer == 0) return false;
        if (layer < 0) continue;
        for (const SpanSegment& s : cache.SpansOf(layer))
            if (SegmentsCollinear(p, q, s.a, s.b) && SegmentsOverlap(p, q, s.a, s.b)) return true;
    }
}
