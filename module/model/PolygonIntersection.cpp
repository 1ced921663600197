#include "model/PolygonIntersection.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kParallel = 1e-5;
constexpr double kOnEdge = 0.0001;
constexpr double kSamePoint = 0.0001;
constexpr double kAlongEdge = 0.001;

struct Plane {
    Vec3d normal;
    double offset = 0.0;
};

// The plane of the first fan triangle.
Plane PlaneOf(const SlopePolygon& p) {
    Plane plane;
    plane.normal = Cross(p[2] - p[0], p[1] - p[0]);
    plane.offset = Dot(plane.normal, p[0]);
    return plane;
}

// A point on the line where both planes meet, with one coordinate set to 0;
// nothing when the planes are parallel.
std::optional<Vec3d> PointOnBothPlanes(const Plane& a, const Plane& b, const Vec3d& direction) {
    const Vec3d& n = a.normal;
    const Vec3d& m = b.normal;
    // Cramer's rule on the two plane equations with the third unknown at 0.
    auto solve = [](double a1, double b1, double c1, double a2, double b2, double c2,
                    double det) -> std::pair<double, double> {
        return {(c1 * b2 - b1 * c2) / det, (a1 * c2 - c1 * a2) / det};
    };
    if (direction.z != 0.0) {
        auto [x, y] = solve(n.x, n.y, a.offset, m.x, m.y, b.offset, n.x * m.y - n.y * m.x);
        return Vec3d(x, y, 0.0);
    }
    if (direction.y != 0.0) {
        auto [x, z] = solve(n.x, n.z, a.offset, m.x, m.z, b.offset, n.x * m.z - n.z * m.x);
        return Vec3d(x, 0.0, z);
    }
    if (direction.x != 0.0) {
        auto [y, z] = solve(n.y, n.z, a.offset, m.y, m.z, b.offset, n.y * m.z - n.z * m.y);
        return Vec3d(0.0, y, z);
    }
    return std::nullopt;
}

// +1 for a polygon wound clockwise in plan (or with no plan area), -1 for
// counter-clockwise: multiplying a side test by it makes "inside" the
// non-positive side for both windings.
double InsideSign(const SlopePolygon& p) {
    double twiceArea = 0.0;
    for (size_t i = 0; i < p.size(); ++i) {
        const Vec3d& a = p[i];
        const Vec3d& b = p[(i + 1) % p.size()];
        twiceArea += a.x * b.y - b.x * a.y;
    }
    return twiceArea > 0.0 ? -1.0 : 1.0;
}

bool InsideInPlan(const SlopePolygon& p, double sign, const Vec3d& point) {
    for (size_t i = 0; i < p.size(); ++i) {
        const Vec3d& start = p[i];
        const Vec3d& end = p[(i + 1) % p.size()];
        if (sign * Cross(end - start, point - start).z > 0.0) return false;
    }
    return true;
}

// The point of the straight line through `start` along `edge` closest to the
// line through `linePoint` along `lineDirection` (a unit vector); nothing
// when the two are parallel.
std::optional<Vec3d> ClosestOnEdgeLine(const Vec3d& start, const Vec3d& edge,
                                       const Vec3d& linePoint, const Vec3d& lineDirection) {
    const Vec3d uHat = Unit(edge);
    const double b = Dot(uHat, lineDirection);
    const double c = 1.0 - b * b;
    if (c < kParallel) return std::nullopt;
    const Vec3d w = linePoint - start;
    const double t = (Dot(w, uHat) - b * Dot(w, lineDirection)) / c;
    return start + t * uHat;
}

// Whether a point of the edge's straight line lies on the edge itself: seen
// in plan with the edge turned onto the x axis about its start. An edge that
// is a point in plan (vertical) is measured along its own length instead.
bool LiesOnEdge(const Vec3d& start, const Vec3d& end, const Vec3d& point) {
    const double dx = end.x - start.x, dy = end.y - start.y;
    const double planLength = std::hypot(dx, dy);
    if (planLength == 0.0) {
        const double length = Length(end - start);
        const double along = Dot(point - start, Unit(end - start));
        return along > -kOnEdge && along < length + kOnEdge &&
               Length(start + along * Unit(end - start) - point) < kOnEdge;
    }
    const double cosine = dx / planLength, sine = dy / planLength;
    const double px = point.x - start.x, py = point.y - start.y;
    const double x = px * cosine + py * sine;
    const double y = -px * sine + py * cosine;
    return x > -kOnEdge && x < planLength + kOnEdge && std::fabs(y) < kOnEdge;
}

double DistanceToLine(const Vec3d& point, const Vec3d& start, const Vec3d& end) {
    return Length(Cross(point - start, Unit(end - start)));
}

// Both ends lie along one edge of the polygon.
bool RunsAlongAnEdge(const SlopePolygon& p, const Segment3d& s) {
    for (size_t i = 0; i < p.size(); ++i) {
        const Vec3d& start = p[i];
        const Vec3d& end = p[(i + 1) % p.size()];
        if (DistanceToLine(s.p1, start, end) < kAlongEdge &&
            DistanceToLine(s.p2, start, end) < kAlongEdge) {
            return true;
        }
    }
    return false;
}

std::pair<double, double> ZRange(const SlopePolygon& p) {
    auto [lo, hi] = std::minmax_element(p.begin(), p.end(),
                                        [](const Vec3d& a, const Vec3d& b) { return a.z < b.z; });
    return {lo->z, hi->z};
}

}  // namespace

std::optional<Segment3d> PolygonIntersectionSegment(const SlopePolygon& a, const SlopePolygon& b) {
    if (a.size() < 3 || b.size() < 3) return std::nullopt;
    const auto [aMin, aMax] = ZRange(a);
    const auto [bMin, bMax] = ZRange(b);
    if (aMin >= bMax || bMin >= aMax) return std::nullopt;

    const Plane planeA = PlaneOf(a), planeB = PlaneOf(b);
    const Vec3d direction = Cross(planeA.normal, planeB.normal);
    const auto linePoint = PointOnBothPlanes(planeA, planeB, direction);
    if (!linePoint) return std::nullopt;
    const Vec3d lineDirection = Unit(direction);

    // Where the line crosses the straight lines of the fan triangles' edges.
    struct EdgePoint {
        Vec3d point;
        bool onEdge;
    };
    std::vector<EdgePoint> points;
    for (size_t i = 0; i + 2 < a.size(); ++i) {
        const Vec3d corners[3] = {a[0], a[i + 1], a[i + 2]};
        for (int e = 0; e < 3; ++e) {
            const Vec3d& start = corners[e];
            const Vec3d& end = corners[(e + 1) % 3];
            auto point = ClosestOnEdgeLine(start, end - start, *linePoint, lineDirection);
            if (point) points.push_back({*point, LiesOnEdge(start, end, *point)});
        }
    }

    // The line must pass through the part the two polygons share in plan.
    const double signA = InsideSign(a), signB = InsideSign(b);
    const bool entered = std::any_of(points.begin(), points.end(), [&](const EdgePoint& p) {
        return InsideInPlan(a, signA, p.point) && InsideInPlan(b, signB, p.point);
    });
    if (!entered) return std::nullopt;

    std::vector<Vec3d> candidates;
    for (const auto& p : points) {
        if (p.onEdge) candidates.push_back(p.point);
    }
    std::sort(candidates.begin(), candidates.end(), [](const Vec3d& p, const Vec3d& q) {
        if (p.z != q.z) return p.z < q.z;
        if (p.y != q.y) return p.y < q.y;
        return p.x < q.x;
    });
    candidates.erase(std::unique(candidates.begin(), candidates.end(),
                                 [](const Vec3d& kept, const Vec3d& next) {
                                     return Length(next - kept) < kSamePoint;
                                 }),
                     candidates.end());
    if (candidates.size() < 2) return std::nullopt;

    Segment3d chord;
    double longest = -1.0;
    for (size_t i = 0; i < candidates.size(); ++i) {
        for (size_t j = i + 1; j < candidates.size(); ++j) {
            const double d = Length(candidates[j] - candidates[i]);
            if (d > longest) {
                longest = d;
                chord = {candidates[i], candidates[j]};
            }
        }
    }
    if (longest <= kSamePoint) return std::nullopt;
    if (RunsAlongAnEdge(a, chord) || RunsAlongAnEdge(b, chord)) return std::nullopt;
    return chord;
}
