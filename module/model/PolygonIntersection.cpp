#include "model/PolygonIntersection.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "model/Polygon2d.h"
#include "model/PolygonPlane.h"

namespace {

constexpr double kParallel = 1e-6;
constexpr double kOnEdge = 0.0001;
constexpr double kSamePoint = 0.0001;
constexpr double kAlongEdge = 0.001;
constexpr double kCommonInterior = 1.0;

double Component(const Vec3d& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }
void SetComponent(Vec3d& v, int axis, double value) { (axis == 0 ? v.x : axis == 1 ? v.y : v.z) = value; }

std::pair<double, double> ZRange(const SlopePolygon& p) {
    auto [lo, hi] = std::minmax_element(p.begin(), p.end(), [](const Vec3d& a, const Vec3d& b) { return a.z < b.z; });
    return {lo->z, hi->z};
}

using Intervals = std::vector<std::pair<double, double>>;

// The stretches of the line point + t·direction (t in 3D units) whose plan
// projection lies inside the polygon's plan outline.
Intervals InsideInPlan(const SlopePolygon& polygon, const PlaneLine& line, double onEdge) {
    const double planLength = std::hypot(line.direction.x, line.direction.y);
    if (planLength < 1e-9) return {};  // a vertical line has no plan extent
    const Point2d along{line.direction.x / planLength, line.direction.y / planLength};
    const Point2d origin{line.point.x, line.point.y};
    auto side = [&](const Vec3d& q) { return along.x * (q.y - origin.y) - along.y * (q.x - origin.x); };
    auto parameter = [&](double x, double y) {
        return (along.x * (x - origin.x) + along.y * (y - origin.y)) / planLength;
    };

    std::vector<double> cuts;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const Vec3d& q0 = polygon[i];
        const Vec3d& q1 = polygon[(i + 1) % polygon.size()];
        const double s0 = side(q0), s1 = side(q1);
        if (std::fabs(s0) < onEdge) {
            cuts.push_back(parameter(q0.x, q0.y));
        } else if ((s0 > 0.0) != (s1 > 0.0) && std::fabs(s1) >= onEdge) {
            const double f = s0 / (s0 - s1);
            cuts.push_back(parameter(q0.x + f * (q1.x - q0.x), q0.y + f * (q1.y - q0.y)));
        }
    }
    std::sort(cuts.begin(), cuts.end());

    const Polygon2d outline = Project(polygon, 2);
    Intervals inside;
    for (size_t k = 0; k + 1 < cuts.size(); ++k) {
        if (cuts[k + 1] <= cuts[k]) continue;
        const double t = 0.5 * (cuts[k] + cuts[k + 1]);
        const Point2d middle{line.point.x + t * line.direction.x, line.point.y + t * line.direction.y};
        if (Locate(outline, middle, onEdge) == Location::Inside) {
            inside.emplace_back(cuts[k], cuts[k + 1]);
        }
    }
    return inside;
}

// Plan length of the stretches common to both interval lists.
double CommonPlanLength(const Intervals& a, const Intervals& b, const Vec3d& direction) {
    double length = 0.0;
    for (const auto& [a0, a1] : a) {
        for (const auto& [b0, b1] : b) length += std::max(0.0, std::min(a1, b1) - std::max(a0, b0));
    }
    return length * std::hypot(direction.x, direction.y);
}

// The farthest pair of points where the line crosses A's boundary, seen along
// A's normal. Points are taken on A's edges.
std::optional<Segment3d> ChordOf(const SlopePolygon& a, const Vec3d& normal, const PlaneLine& line, double onEdge) {
    const int axis = DominantAxis(normal);
    const Point2d origin = Project(line.point, axis);
    Point2d along = Project(line.direction, axis);
    const double alongLength = std::hypot(along.x, along.y);
    if (alongLength == 0.0) return std::nullopt;
    along = {along.x / alongLength, along.y / alongLength};
    auto side = [&](const Vec3d& q) {
        const Point2d p = Project(q, axis);
        return along.x * (p.y - origin.y) - along.y * (p.x - origin.x);
    };

    bool any = false;
    double tMin = 0.0, tMax = 0.0;
    Segment3d chord;
    auto take = [&](const Vec3d& hit) {
        const double t = Dot(hit - line.point, line.direction);
        if (!any || t < tMin) tMin = t, chord.p1 = hit;
        if (!any || t > tMax) tMax = t, chord.p2 = hit;
        any = true;
    };
    for (size_t i = 0; i < a.size(); ++i) {
        const Vec3d& a0 = a[i];
        const Vec3d& a1 = a[(i + 1) % a.size()];
        const double s0 = side(a0), s1 = side(a1);
        if (std::fabs(s0) < onEdge) {
            take(a0);
        } else if ((s0 > 0.0) != (s1 > 0.0) && std::fabs(s1) >= onEdge) {
            take(a0 + (s0 / (s0 - s1)) * (a1 - a0));
        }
    }
    if (!any || Length(chord.p2 - chord.p1) <= kSamePoint) return std::nullopt;
    return chord;
}

double DistanceToLine(const Vec3d& point, const Vec3d& start, const Vec3d& end) {
    return Length(Cross(point - start, Unit(end - start)));
}

// Both ends lie along one edge of the polygon.
bool RunsAlongAnEdge(const SlopePolygon& p, const Segment3d& s, double tolerance) {
    for (size_t i = 0; i < p.size(); ++i) {
        const Vec3d& start = p[i];
        const Vec3d& end = p[(i + 1) % p.size()];
        if (start == end) continue;
        if (DistanceToLine(s.p1, start, end) < tolerance && DistanceToLine(s.p2, start, end) < tolerance) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<PlaneLine> PolygonPlanesLine(const SlopePolygon& a, const SlopePolygon& b) {
    if (a.size() < 3 || b.size() < 3) return std::nullopt;
    const Vec3d na = NewellNormal(a), nb = NewellNormal(b);
    if (Length(na) == 0.0 || Length(nb) == 0.0) return std::nullopt;
    const Vec3d ua = Unit(na), ub = Unit(nb);
    const Vec3d cross = Cross(ua, ub);
    const double sine = Length(cross);
    const double rounding = FloatRounding(Magnitude(a, b));
    if (sine < kParallel + NormalUncertainty(a, rounding) + NormalUncertainty(b, rounding)) {
        return std::nullopt;
    }

    // Each plane through its polygon's centroid. The point on the line is
    // found relative to A's centroid with the coordinate of the direction's
    // largest component held: the 2 × 2 system then has that component
    // (at least sine / √3) as its determinant.
    PlaneLine line;
    line.direction = cross / sine;
    line.sine = sine;
    const Vec3d ca = Centroid(a);
    const double offsetB = Dot(ub, Centroid(b) - ca);
    const int k = DominantAxis(cross), i = (k + 1) % 3, j = (k + 2) % 3;
    const double determinant = Component(cross, k);
    // ua·q = 0 and ub·q = offsetB with q_k = 0.
    Vec3d q;
    SetComponent(q, i, -Component(ua, j) * offsetB / determinant);
    SetComponent(q, j, Component(ua, i) * offsetB / determinant);
    line.point = ca + q;
    return line;
}

std::optional<Segment3d> PolygonIntersectionSegment(const SlopePolygon& a, const SlopePolygon& b) {
    if (a.size() < 3 || b.size() < 3) return std::nullopt;
    const double rounding = FloatRounding(Magnitude(a, b));
    const auto [aMin, aMax] = ZRange(a);
    const auto [bMin, bMax] = ZRange(b);
    if (aMin >= bMax - rounding || bMin >= aMax - rounding) return std::nullopt;

    const auto line = PolygonPlanesLine(a, b);
    if (!line) return std::nullopt;
    const double onEdge = std::max(kOnEdge, rounding);

    // The line must pass through the part the two polygons share in plan.
    const double common =
        CommonPlanLength(InsideInPlan(a, *line, onEdge), InsideInPlan(b, *line, onEdge), line->direction);
    if (common <= kCommonInterior) return std::nullopt;

    const auto chord = ChordOf(a, NewellNormal(a), *line, onEdge);
    if (!chord) return std::nullopt;
    // Rounded planes place their line only to within the rounding over the
    // angle between them.
    const double alongEdge = std::max(kAlongEdge, 2.0 * rounding / line->sine);
    if (RunsAlongAnEdge(a, *chord, alongEdge) || RunsAlongAnEdge(b, *chord, alongEdge)) {
        return std::nullopt;
    }
    return chord;
}
