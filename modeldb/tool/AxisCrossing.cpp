#include "AxisCrossing.h"

#include <algorithm>
#include <cmath>

namespace teva {

namespace {

constexpr double kTolerance = 0.5;  // mm

double distanceToSegment(const PlanPoint& p, const PlanSegment& s)
{
    const double dx = s.b.x - s.a.x;
    const double dy = s.b.y - s.a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x - s.a.x) * dx + (p.y - s.a.y) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return planDistance(p, {s.a.x + t * dx, s.a.y + t * dy});
}

} // namespace

double planDistance(const PlanPoint& p, const PlanPoint& q)
{
    return std::hypot(p.x - q.x, p.y - q.y);
}

bool crossAxes(const PlanSegment& s, const PlanSegment& t, PlanPoint& at)
{
    const double rx = s.b.x - s.a.x, ry = s.b.y - s.a.y;
    const double sx = t.b.x - t.a.x, sy = t.b.y - t.a.y;
    const double denom = rx * sy - ry * sx;
    const double lengths = std::hypot(rx, ry) * std::hypot(sx, sy);
    // Parallel (or degenerate) axes never cross, even when they overlap:
    // the sine of the angle between them is compared, not the raw product.
    if (lengths == 0.0 || std::fabs(denom) <= 1e-9 * lengths)
        return false;
    const double qx = t.a.x - s.a.x, qy = t.a.y - s.a.y;
    const double u = (qx * sy - qy * sx) / denom;
    const PlanPoint p{s.a.x + u * rx, s.a.y + u * ry};
    if (distanceToSegment(p, s) > kTolerance || distanceToSegment(p, t) > kTolerance)
        return false;
    at = p;
    return true;
}

} // namespace teva
