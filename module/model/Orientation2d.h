#pragma once
// The exact turn test of plane geometry; every side-of-line decision of the
// slope polygon tests is taken from it, so that it cannot contradict itself
// through rounding.

// A point of a plane projection (plan x, y, or another pair of axes).
struct Point2d {
    double x = 0.0;
    double y = 0.0;
};

// +1 when c lies to the left of the directed line a → b (a counter-clockwise
// turn), -1 to the right, 0 exactly on it. Exact for all finite doubles.
int Orientation(const Point2d& a, const Point2d& b, const Point2d& c);
