#include "model/PolygonPlane.h"

#include <algorithm>
#include <cmath>
#include <limits>

Vec3d NewellNormal(const SlopePolygon& polygon) {
    // Taken about the first corner: the sums then stay as small as the
    // polygon, not as large as its distance from the origin.
    Vec3d normal;
    if (polygon.empty()) return normal;
    const Vec3d origin = polygon.front();
    for (size_t i = 0; i < polygon.size(); ++i) {
        const Vec3d a = polygon[i] - origin;
        const Vec3d b = polygon[(i + 1) % polygon.size()] - origin;
        normal += Cross(a, b);
    }
    return normal;
}

int DominantAxis(const Vec3d& normal) {
    const double x = std::fabs(normal.x), y = std::fabs(normal.y), z = std::fabs(normal.z);
    if (z >= x && z >= y) return 2;
    return x >= y ? 0 : 1;
}

Point2d Project(const Vec3d& p, int axis) {
    switch (axis) {
        case 0: return {p.y, p.z};
        case 1: return {p.z, p.x};
        default: return {p.x, p.y};
    }
}

std::vector<Point2d> Project(const SlopePolygon& polygon, int axis) {
    std::vector<Point2d> points;
    points.reserve(polygon.size());
    for (const Vec3d& p : polygon) points.push_back(Project(p, axis));
    return points;
}

Vec3d Centroid(const SlopePolygon& polygon) {
    Vec3d sum;
    for (const Vec3d& p : polygon) sum += p;
    return polygon.empty() ? sum : sum / static_cast<double>(polygon.size());
}

double Magnitude(const SlopePolygon& a, const SlopePolygon& b) {
    double m = 1.0;
    for (const SlopePolygon* polygon : {&a, &b}) {
        for (const Vec3d& p : *polygon) {
            m = std::max({m, std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
        }
    }
    return m;
}

double FloatRounding(double magnitude) {
    // A float has 24 significant bits; half a unit in the last place is
    // 2^-24 of the magnitude. Eight of them cover a point rounded in all three
    // coordinates against a line through two other rounded points.
    return magnitude * std::ldexp(1.0, -21);
}

double NormalUncertainty(const SlopePolygon& polygon, double rounding) {
    const double twiceArea = Length(NewellNormal(polygon));
    if (twiceArea == 0.0) return std::numeric_limits<double>::infinity();
    double perimeter = 0.0;
    for (size_t i = 0; i < polygon.size(); ++i) {
        perimeter += Length(polygon[(i + 1) % polygon.size()] - polygon[i]);
    }
    return rounding * perimeter / twiceArea;
}
