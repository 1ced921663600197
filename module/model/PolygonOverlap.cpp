#include "model/PolygonOverlap.h"

#include <algorithm>
#include <cmath>

#include "model/Polygon2d.h"
#include "model/PolygonPlane.h"

namespace {

constexpr double kParallel = 1e-5;
constexpr double kMeet = 1e-5;
constexpr double kSamePoint = 0.0001;
constexpr double kOnEdge = 0.0001;

double Cross2d(const Point2d& a, const Point2d& b) { return a.x * b.y - a.y * b.x; }

// The points of the two 3D edges above the crossing of their projections.
std::pair<Vec3d, Vec3d> AboveCrossing(const Vec3d& a0, const Vec3d& a1, const Vec3d& b0, const Vec3d& b1, int axis) {
    const Point2d p0 = Project(a0, axis), p1 = Project(a1, axis);
    const Point2d q0 = Project(b0, axis), q1 = Project(b1, axis);
    const Point2d u{p1.x - p0.x, p1.y - p0.y}, v{q1.x - q0.x, q1.y - q0.y};
    const Point2d w{q0.x - p0.x, q0.y - p0.y};
    // The caller has found a proper crossing, so the projections are not
    // parallel and both parameters lie in (0, 1).
    const double denominator = Cross2d(u, v);
    const double t = Cross2d(w, v) / denominator;
    const double s = Cross2d(w, u) / denominator;
    return {a0 + t * (a1 - a0), b0 + s * (b1 - b0)};
}

}  // namespace

bool SegmentsCross(const Vec3d& p0, const Vec3d& p1, const Vec3d& q0, const Vec3d& q1) {
    const Vec3d u = p1 - p0, v = q1 - q0;
    const Vec3d uHat = Unit(u), vHat = Unit(v);
    const double b = Dot(uHat, vHat);
    const double c = 1.0 - b * b;
    if (std::fabs(c) < kParallel) return false;

    // Closest points of the two lines: p0 + t·û and q0 + s·v̂.
    const Vec3d w = q0 - p0;
    const double wu = Dot(w, uHat), wv = Dot(w, vHat);
    const double t = (wu - b * wv) / c;
    const double s = (b * wu - wv) / c;
    if (t < 0.0 || s < 0.0) return false;
    if (Length(t * uHat) > Length(u) || Length(s * vHat) > Length(v)) return false;
    const Vec3d x = p0 + t * uHat;
    // Float positions far from the origin are skewed by their rounding.
    const double meet = std::max(kMeet, FloatRounding(Magnitude({p0, p1}, {q0, q1})));
    if (Length(x - (q0 + s * vHat)) > meet) return false;

    if (AllBelow(x - p0, kSamePoint)) return false;               // at the start
    if (AllBelow(Unit(x - p0) + uHat, kSamePoint)) return false;  // behind the start
    if (AllBelow(x - p1, kSamePoint)) return false;               // at the end
    if (Length(x - p0) > Length(u)) return false;
    // On the second segment's side of q0 (also false when x is q0 itself).
    const Vec3d side = Unit(x - q0) - vHat;
    return std::fabs(side.x) <= kSamePoint && std::fabs(side.y) <= kSamePoint && std::fabs(side.z) <= kSamePoint;
}

bool PolygonsOverlap(const SlopePolygon& a, const SlopePolygon& b) {
    if (a.size() < 3 || b.size() < 3) return false;
    const Vec3d na = NewellNormal(a), nb = NewellNormal(b);
    if (Length(na) == 0.0 || Length(nb) == 0.0) return false;

    // Rounded corners turn the normals and move the planes a little; what the
    // rounding can explain still counts as one plane.
    const double rounding = FloatRounding(Magnitude(a, b));
    const double parallel = kParallel + NormalUncertainty(a, rounding) + NormalUncertainty(b, rounding);
    const Vec3d ua = Unit(na), ub = Unit(nb);
    if (Length(Cross(ua, ub)) >= parallel) return false;
    const double meet = std::max(kMeet, 2.0 * rounding);
    const double onEdge = std::max(kOnEdge, rounding);

    // Projected along A's normal the two outlines keep their shape, and the
    // crossing decisions become exact side-of-line tests.
    const int axis = DominantAxis(na);
    const Polygon2d pa = Project(a, axis), pb = Project(b, axis);
    bool crossedElsewhere = false;
    for (size_t i = 0; i < a.size(); ++i) {
        const size_t i1 = (i + 1) % a.size();
        for (size_t j = 0; j < b.size(); ++j) {
            const size_t j1 = (j + 1) % b.size();
            if (!SegmentsCrossProperly(pa[i], pa[i1], pb[j], pb[j1], onEdge)) continue;
            const auto [onA, onB] = AboveCrossing(a[i], a[i1], b[j], b[j1], axis);
            if (Length(onA - onB) <= meet) return true;
            crossedElsewhere = true;  // parallel planes apart
        }
    }
    if (crossedElsewhere) return false;

    // No edges cross: the outlines at most touch. In one plane they overlap
    // when one's boundary runs through the other's interior and also leaves
    // it (running only inside would be containment).
    const Vec3d apart = Centroid(b) - Centroid(a);
    if (std::fabs(Dot(ua, apart)) > meet + parallel * Length(apart)) return false;
    return BoundaryEntersAndLeaves(pb, pa, onEdge) || BoundaryEntersAndLeaves(pa, pb, onEdge);
}
