#include "model/RegisteredSlopeSearch.h"

#include <algorithm>
#include <cmath>

#include "model/ModelDbLibrary.h"
#include "model/ModelQueries.h"
#include "model/PolygonIntersection.h"
#include "model/PolygonOverlap.h"
#include "model/PolygonPlane.h"

namespace {

constexpr double kAtCorner = 0.0001;
constexpr double kDistinctEnds = 0.001;

}  // namespace

void ForEachRegisteredSlopePolygon(const std::function<bool(LayerCode slope, const SlopePolygon& polygon)>& visit) {
    if (!Db().sp_lslay) return;
    SlopeOutline outline;
    for (int sequence = 1;; ++sequence) {
        const LayerCode code = Db().sp_lslay(sequence);
        if (code == 0) return;
        if (code > 0) continue;
        if (ReadSlopeOutline(code, outline) != OutlineStatus::Ok) continue;
        if (!visit(code, outline.positions)) return;
    }
}

bool SlopeOverlapTest(const SlopePolygon& polygon, LayerCode* overlapping) {
    bool clear = true;
    ForEachRegisteredSlopePolygon([&](LayerCode slope, const SlopePolygon& registered) {
        clear = !PolygonsOverlap(polygon, registered);
        if (!clear && overlapping) *overlapping = slope;
        return clear;
    });
    return clear;
}

std::optional<SlopeIntersection> SlopeIntersectionSearch(const SlopePolygon& polygon, bool vertexRule) {
    std::optional<SlopeIntersection> found;
    ForEachRegisteredSlopePolygon([&](LayerCode slope, const SlopePolygon& registered) {
        auto segment = PolygonIntersectionSegment(polygon, registered);
        if (!segment) return true;
        if (vertexRule) {
            // Ends computed from rounded float corners sit on a corner only to
            // within their rounding.
            const double near = std::max(kAtCorner, FloatRounding(Magnitude(polygon, registered)));
            const bool atCorner = std::any_of(registered.begin(), registered.end(), [&](const Vec3d& corner) {
                return Length(corner - segment->p1) < near || Length(corner - segment->p2) < near;
            });
            if (atCorner) return true;
        }
        const Vec3d d = segment->p2 - segment->p1;
        if (std::fabs(d.x) < kDistinctEnds && std::fabs(d.y) < kDistinctEnds && std::fabs(d.z) < kDistinctEnds) {
            return true;
        }
        found = SlopeIntersection{slope, *segment};
        return false;
    });
    return found;
}
