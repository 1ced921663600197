#pragma once
// The plane of a slope polygon and its projection onto a coordinate plane,
// with the allowance for positions that were 32-bit floats.

#include <vector>

#include "model/Orientation2d.h"
#include "model/SlopePolygon.h"

// Newell's normal: the sum over all edges, so a corner in the middle of an
// edge or a repeated corner leaves it unchanged. Its length is twice the
// polygon's area; zero for a polygon without area. It points to the side from
// which the polygon winds counter-clockwise.
Vec3d NewellNormal(const SlopePolygon& polygon);

// The axis (0 = x, 1 = y, 2 = z) of the normal's largest component: dropping
// it projects the polygon with the least distortion.
int DominantAxis(const Vec3d& normal);

// The point with coordinate `axis` dropped; the other two keep their cyclic
// order (y, z for x; z, x for y; x, y for z).
Point2d Project(const Vec3d& point, int axis);
std::vector<Point2d> Project(const SlopePolygon& polygon, int axis);

// The mean of the corners.
Vec3d Centroid(const SlopePolygon& polygon);

// The largest absolute coordinate of the polygons' corners (at least 1).
double Magnitude(const SlopePolygon& a, const SlopePolygon& b);

// How far rounding to 32-bit floats may have moved points of this magnitude
// against each other: a few units in the last place of a float.
double FloatRounding(double magnitude);

// The angle by which rounding the corners (by `rounding`) may have turned the
// polygon's normal: rounding × perimeter / (2 × area). Infinite without area.
double NormalUncertainty(const SlopePolygon& polygon, double rounding);
