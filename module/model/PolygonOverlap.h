#pragma once
#include "model/SlopePolygon.h"

// Whether two slope polygons overlap: they lie in parallel planes (unit
// normals equal, or opposite, within 1e-5 per component) and an edge of A
// crosses an edge of B. A polygon lying wholly inside the other without any
// edges crossing does not count.
bool PolygonsOverlap(const SlopePolygon& a, const SlopePolygon& b);

// Whether segment Q0-Q1 meets segment P0-P1 at a point strictly inside
// P0-P1 (3D; the lines must meet within 1e-5). Meeting at P0 or P1 is not a
// crossing, nor is meeting at Q0; parallel segments never cross.
bool SegmentsCross(const Vec3d& p0, const Vec3d& p1, const Vec3d& q0, const Vec3d& q1);
