#include "model/Polygon2d.h"

#include <algorithm>
#include <cmath>

namespace {

double Dot(const Point2d& a, const Point2d& b) { return a.x * b.x + a.y * b.y; }
Point2d Minus(const Point2d& a, const Point2d& b) { return {a.x - b.x, a.y - b.y}; }

// Parameter in [0, 1] of the point of a-b nearest to p.
double NearestParameter(const Point2d& p, const Point2d& a, const Point2d& b) {
    const Point2d d = Minus(b, a);
    const double squared = Dot(d, d);
    if (squared == 0.0) return 0.0;
    return std::clamp(Dot(Minus(p, a), d) / squared, 0.0, 1.0);
}

}  // namespace

double DistanceToSegment(const Point2d& p, const Point2d& a, const Point2d& b) {
    const double t = NearestParameter(p, a, b);
    const Point2d nearest{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
    return std::hypot(p.x - nearest.x, p.y - nearest.y);
}

bool SegmentsCrossProperly(const Point2d& a0, const Point2d& a1, const Point2d& b0, const Point2d& b1, double onEdge) {
    if (Orientation(a0, a1, b0) * Orientation(a0, a1, b1) >= 0) return false;
    if (Orientation(b0, b1, a0) * Orientation(b0, b1, a1) >= 0) return false;
    // A crossing this near an end is the end resting on the other segment.
    return DistanceToSegment(b0, a0, a1) >= onEdge && DistanceToSegment(b1, a0, a1) >= onEdge &&
           DistanceToSegment(a0, b0, b1) >= onEdge && DistanceToSegment(a1, b0, b1) >= onEdge;
}

Location Locate(const Polygon2d& polygon, const Point2d& p, double onEdge) {
    const size_t n = polygon.size();
    for (size_t i = 0; i < n; ++i) {
        if (DistanceToSegment(p, polygon[i], polygon[(i + 1) % n]) < onEdge) {
            return Location::Boundary;
        }
    }
    // Winding number: upward edges with p to their left count +1, downward
    // edges with p to their right -1. The y comparisons are exact, and so is
    // the side.
    int winding = 0;
    for (size_t i = 0; i < n; ++i) {
        const Point2d& a = polygon[i];
        const Point2d& b = polygon[(i + 1) % n];
        if (a.y <= p.y) {
            if (b.y > p.y && Orientation(a, b, p) > 0) ++winding;
        } else if (b.y <= p.y && Orientation(a, b, p) < 0) {
            --winding;
        }
    }
    return winding != 0 ? Location::Inside : Location::Outside;
}

bool BoundaryEntersAndLeaves(const Polygon2d& p, const Polygon2d& q, double onEdge) {
    bool inside = false, outside = false;
    std::vector<double> cuts;
    for (size_t i = 0; i < p.size(); ++i) {
        const Point2d& a = p[i];
        const Point2d& b = p[(i + 1) % p.size()];
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        if (length <= 2.0 * onEdge) continue;
        cuts.assign({0.0, 1.0});
        for (const Point2d& corner : q) {
            if (DistanceToSegment(corner, a, b) < onEdge) {
                cuts.push_back(NearestParameter(corner, a, b));
            }
        }
        std::sort(cuts.begin(), cuts.end());
        for (size_t k = 0; k + 1 < cuts.size(); ++k) {
            if ((cuts[k + 1] - cuts[k]) * length <= 2.0 * onEdge) continue;
            const double t = 0.5 * (cuts[k] + cuts[k + 1]);
            const Point2d middle{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
            const Location where = Locate(q, middle, onEdge);
            inside = inside || where == Location::Inside;
            outside = outside || where == Location::Outside;
            if (inside && outside) return true;
        }
    }
    return false;
}
