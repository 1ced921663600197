#pragma once
// Tests on plan segments (z ignored; callers pass z = 0).

#include "model/Vec3d.h"

// Whether A-B and C-D lie on one line: their unit directions, each taken
// from its low end (lower x; lower y for a vertical segment, whose ends' x
// agree within 0.0001), agree within 1e-6, and the low end of A-B lies within
// 0.001 of the line through C-D.
bool SegmentsCollinear(const Vec3d& a, const Vec3d& b, const Vec3d& c, const Vec3d& d);

// Whether two collinear segments share a piece of positive length. They are
// compared by y when either is vertical (its ends' x within 0.0001), by x
// otherwise; segments that only touch at an end (within 0.0001) do not
// overlap.
bool SegmentsOverlap(const Vec3d& a, const Vec3d& b, const Vec3d& c, const Vec3d& d);
