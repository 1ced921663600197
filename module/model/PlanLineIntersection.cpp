#include "model/PlanLineIntersection.h"

#include <cmath>

namespace {
constexpr double kParallel = 1e-9;
}  // namespace

std::optional<Vec3d> PlanLineIntersection(const Vec3d& p1, const Vec3d& p2, const Vec3d& p3, const Vec3d& p4) {
    const double denominator = (p2.x - p1.x) * (p4.y - p3.y) - (p2.y - p1.y) * (p4.x - p3.x);
    // Two range axes of the same direction, or nearly so once rounded on a
    // turned grid, would otherwise send the camera far away.
    const double lengths = std::hypot(p2.x - p1.x, p2.y - p1.y) * std::hypot(p4.x - p3.x, p4.y - p3.y);
    if (!(std::fabs(denominator) > kParallel * lengths)) return std::nullopt;
    const double t = ((p4.y - p3.y) * (p4.x - p1.x) - (p4.x - p3.x) * (p4.y - p1.y)) / denominator;
    const Vec3d point = p1 + t * (p2 - p1);
    if (!std::isfinite(point.x) || !std::isfinite(point.y) || !std::isfinite(point.z)) {
        return std::nullopt;
    }
    return point;
}
