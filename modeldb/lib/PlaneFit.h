// Least-squares plane through points, for slope planes.
#pragma once

#include <array>
#include <optional>
#include <vector>

namespace teva {

// z = a x + b y + c
struct Plane {
    double a = 0, b = 0, c = 0;
    double heightAt(double x, double y) const { return a * x + b * y + c; }
};

// The plane minimising the squared height differences to `points` (x, y, z);
// nothing when they do not span a plane: fewer than three, or all on one
// line in plan.
std::optional<Plane> fitPlane(const std::vector<std::array<double, 3>>& points);

} // namespace teva
