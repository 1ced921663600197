#include "model/Orientation2d.h"

// The only place that includes the geometry library: its filtered kernel
// decides in interval arithmetic and falls back to exact arithmetic only when
// the interval straddles zero.
#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>

namespace {
using Kernel = CGAL::Exact_predicates_inexact_constructions_kernel;
}  // namespace

int Orientation(const Point2d& a, const Point2d& b, const Point2d& c) {
    const CGAL::Orientation turn =
        CGAL::orientation(Kernel::Point_2(a.x, a.y), Kernel::Point_2(b.x, b.y), Kernel::Point_2(c.x, c.y));
    return turn == CGAL::LEFT_TURN ? 1 : turn == CGAL::RIGHT_TURN ? -1 : 0;
}
