#include "model/PlanSegments.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSameDirection = 1e-6;
constexpr double kOnLine = 0.001;
constexpr double kTouch = 0.0001;

Vec3d Plan(const Vec3d& p) { return {p.x, p.y, 0.0}; }

}  // namespace

bool SegmentsCollinear(const Vec3d& a, const Vec3d& b, const Vec3d& c, const Vec3d& d) {
    // Comparing both senses of the direction avoids choosing a "low" end,
    // a choice that flips for nearly vertical lines with their rounding.
    const Vec3d u = Unit(Plan(b - a)), v = Unit(Plan(d - c));
    if (Length(u) == 0.0 || Length(v) == 0.0) return false;
    if (std::min(Length(u - v), Length(u + v)) >= kSameDirection) return false;
    const Vec3d middle = Plan(0.5 * (a + b));
    return Length(Cross(middle - Plan(c), v)) < kOnLine;
}

bool SegmentsOverlap(const Vec3d& a, const Vec3d& b, const Vec3d& c, const Vec3d& d) {
    const Vec3d ab = Plan(b - a), cd = Plan(d - c);
    const Vec3d along = Unit(Length(ab) >= Length(cd) ? ab : cd);
    if (Length(along) == 0.0) return false;
    const double a0 = Dot(Plan(a), along), a1 = Dot(Plan(b), along);
    const double c0 = Dot(Plan(c), along), c1 = Dot(Plan(d), along);
    const double shared = std::min(std::max(a0, a1), std::max(c0, c1)) - std::max(std::min(a0, a1), std::min(c0, c1));
    return shared >= kTouch;
}
