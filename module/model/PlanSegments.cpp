#include "model/PlanSegments.h"

#include <cmath>

namespace {

constexpr double kSameDirection = 1e-6;
constexpr double kOnLine = 0.001;
constexpr double kSameCoordinate = 0.0001;

struct Ordered {
    Vec3d low, high;
    bool vertical = false;
};

// Low and high end along the segment. A segment whose ends' x agree within
// the tolerance is vertical and ordered by y, whichever way it was given.
Ordered Order(const Vec3d& p, const Vec3d& q) {
    if (std::fabs(p.x - q.x) < kSameCoordinate) {
        return p.y > q.y ? Ordered{q, p, true} : Ordered{p, q, true};
    }
    return p.x > q.x ? Ordered{q, p, false} : Ordered{p, q, false};
}

}  // namespace

bool SegmentsCollinear(const Vec3d& a0, const Vec3d& b0, const Vec3d& c0, const Vec3d& d0) {
    // Both segments taken from their low end, so that the directions of two
    // pieces of one line agree however each was given.
    const Ordered ab = Order(a0, b0), cd = Order(c0, d0);
    const Vec3d u = Unit(ab.high - ab.low), v = Unit(cd.high - cd.low);
    if (Length(u - v) >= kSameDirection) return false;
    return AllBelow(Cross(ab.low - cd.low, v), kOnLine);
}

bool SegmentsOverlap(const Vec3d& a, const Vec3d& b, const Vec3d& c, const Vec3d& d) {
    const Ordered ab = Order(a, b), cd = Order(c, d);
    const bool byY = ab.vertical || cd.vertical;
    auto coordinate = [byY](const Vec3d& p) { return byY ? p.y : p.x; };

    const double abLow = coordinate(ab.low), abHigh = coordinate(ab.high);
    const double cValue = coordinate(c), dValue = coordinate(d);
    if (abLow > cValue && abLow > dValue) return false;    // AB wholly after CD
    if (abHigh < cValue && abHigh < dValue) return false;  // AB wholly before CD
    if (std::fabs(abHigh - coordinate(cd.low)) < kSameCoordinate) return false;  // touch
    if (std::fabs(abLow - coordinate(cd.high)) < kSameCoordinate) return false;  // touch
    return true;
}
