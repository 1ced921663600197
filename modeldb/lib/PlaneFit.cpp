#include "PlaneFit.h"

namespace teva {

std::optional<Plane> fitPlane(const std::vector<std::array<double, 3>>& points)
{
    if (points.size() < 3)
        return std::nullopt;
    // Centred sums keep the normal equations well conditioned for building
    // coordinates far from the origin.
    double mx = 0, my = 0, mz = 0;
    for (const auto& p : points) {
        mx += p[0];
        my += p[1];
        mz += p[2];
    }
    const double n = static_cast<double>(points.size());
    mx /= n;
    my /= n;
    mz /= n;
    double sxx = 0, sxy = 0, syy = 0, sxz = 0, syz = 0;
    for (const auto& p : points) {
        const double x = p[0] - mx, y = p[1] - my, z = p[2] - mz;
        sxx += x * x;
        sxy += x * y;
        syy += y * y;
        sxz += x * z;
        syz += y * z;
    }
    const double det = sxx * syy - sxy * sxy;
    // Points on one line (or one point) leave the determinant at rounding
    // noise relative to the spread.
    if (!(det > 1e-12 * (sxx + syy) * (sxx + syy)))
        return std::nullopt;
    Plane plane;
    plane.a = (sxz * syy - syz * sxy) / det;
    plane.b = (syz * sxx - sxz * sxy) / det;
    plane.c = mz - plane.a * mx - plane.b * my;
    return plane;
}

} // namespace teva
