#pragma once
// Which axes carry the edges of a new slope outline: the span an edge joins,
// or a span of a layer between the outline's bottom and top that lies on the
// edge's line. Span ends are read once per layer and kept until the model
// is restructured.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "model/NodeRef.h"
#include "model/Vec3d.h"

// One span in plan: the axis it lies on and its end points (z = 0).
struct SpanSegment {
    int32_t axis = 0;
    Vec3d a;
    Vec3d b;
};

class SpanSegmentCache {
public:
    // The spans of a layer whose line and end positions the model gives; a
    // span that fails any of those queries is left out.
    const std::vector<SpanSegment>& SpansOf(LayerCode layer);
    // To be called after every restructure of the model.
    void Clear() { layers_.clear(); }

private:
    std::unordered_map<LayerCode, std::vector<SpanSegment>> layers_;
};

// Axis name codes (sp_wnam) met by a scan, in edge order: lines an edge lies
// on, and lines on an edge's straight line that do not overlap it.
struct EdgeLineSets {
    std::vector<int32_t> carrying;
    std::vector<int32_t> collinear;
};

enum class EdgeLine { Carried, Collinear, Missing };

// Classifies the edge from `a` to `b` (positions pa, pb) of an outline whose
// bottom and top layers are `bottom` and `top`, appending the axis found to
// `sets`:
//  - Carried: a and b are ends of a span on `bottom`, or a span of a storey
//    layer from `bottom` up to (not including) `top` lies on the edge's line
//    in plan and overlaps it;
//  - Collinear: spans lie on the edge's line, but none overlaps it;
//  - Missing: no span lies on its line.
EdgeLine ScanEdge(const NodeRef& a, const NodeRef& b, const Vec3d& pa, const Vec3d& pb, LayerCode bottom, LayerCode top,
                  SpanSegmentCache& cache, EdgeLineSets& sets);

// Whether some span of a storey layer lies on the plan segment's line and
// overlaps it.
bool SegmentOnSpan(const Vec3d& p1, const Vec3d& p2, SpanSegmentCache& cache);
