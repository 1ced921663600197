#include "model/PolygonOverlap.h"

#include <cmath>

namespace {

constexpr double kParallel = 1e-5;
constexpr double kMeet = 1e-5;
constexpr double kSamePoint = 0.0001;

// Unit normal from the first edge and the closing edge.
Vec3d PolygonNormal(const SlopePolygon& p) {
    const Vec3d first = p[1] - p[0];
    const Vec3d last = p[0] - p.back();
    return Unit(Cross(first, last));
}

bool AnyAtLeast(const Vec3d& v, double tolerance) { return !AllBelow(v, tolerance); }

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
    if (Length(x - (q0 + s * vHat)) > kMeet) return false;

    if (AllBelow(x - p0, kSamePoint)) return false;                 // at the start
    if (AllBelow(Unit(x - p0) + uHat, kSamePoint)) return false;    // behind the start
    if (AllBelow(x - p1, kSamePoint)) return false;                 // at the end
    if (Length(x - p0) > Length(u)) return false;
    // On the second segment's side of q0 (also false when x is q0 itself).
    const Vec3d side = Unit(x - q0) - vHat;
    return std::fabs(side.x) <= kSamePoint && std::fabs(side.y) <= kSamePoint &&
           std::fabs(side.z) <= kSamePoint;
}

bool PolygonsOverlap(const SlopePolygon& a, const SlopePolygon& b) {
    if (a.size() < 3 || b.size() < 3) return false;
    const Vec3d na = PolygonNormal(a), nb = PolygonNormal(b);
    if (AnyAtLeast(na - nb, kParallel) && AnyAtLeast(na + nb, kParallel)) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const Vec3d& a0 = a[i];
        const Vec3d& a1 = a[(i + 1) % a.size()];
        for (size_t j = 0; j < b.size(); ++j) {
            if (SegmentsCross(a0, a1, b[j], b[(j + 1) % b.size()])) return true;
        }
    }
    return false;
}
