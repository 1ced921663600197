#pragma once
// Tests on plan segments (z ignored; callers pass z = 0). Neither test
// depends on the order in which a segment's ends are given, nor on which way
// a (nearly) vertical line leans.

#include "model/Vec3d.h"

// Whether A-B and C-D lie on one line: their unit directions agree within
// 1e-6, either way round, and the middle of A-B lies within 0.001 of the line
// through C-D. A segment that is a point lies on no line.
bool SegmentsCollinear(const Vec3d& a, const Vec3d& b, const Vec3d& c, const Vec3d& d);

// Whether two collinear segments share a piece of at least 0.0001, measured
// along the direction of the longer one; segments that only touch at an end
// (within 0.0001) do not overlap.
bool SegmentsOverlap(const Vec3d& a, const Vec3d& b, const Vec3d& c, const Vec3d& d);
