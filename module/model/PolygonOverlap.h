#pragma once
#include "model/SlopePolygon.h"

// Whether two slope polygons overlap: they lie in one plane, and either an
// edge of A crosses an edge of B at a point inside both, or their interiors
// share area although neither polygon contains the other.
//
// One plane: the normals (Newell's, from all corners) agree within 1e-5 rad,
// or opposite, widened by what rounding the corners to floats can turn them;
// and the polygons meet there within 1e-5, or a few float units of the
// coordinates' magnitude when that is larger. Edges that only touch (an end
// within 0.0001 of the other edge, a T) or run along each other do not cross.
// A polygon wholly inside the other (equal ones included) does not count,
// nor do neighbours that share an edge or part of one.
bool PolygonsOverlap(const SlopePolygon& a, const SlopePolygon& b);

// Whether segment Q0-Q1 meets segment P0-P1 at a point strictly inside
// P0-P1 (3D; the lines must meet within 1e-5, or a few float units of the
// coordinates' magnitude when that is larger). Meeting at P0 or P1 is not a
// crossing, nor is meeting at Q0; parallel segments never cross.
bool SegmentsCross(const Vec3d& p0, const Vec3d& p1, const Vec3d& q0, const Vec3d& q1);
