#pragma once
#include <optional>

#include "model/SlopePolygon.h"

// The chord of polygon A along the line where the planes of A and B meet: the
// two farthest points where that line crosses the boundary of A.
//
// Nothing when
// - the z ranges of A and B do not overlap (touching is not overlapping);
// - the planes are parallel: their normals (Newell's, from all corners) lie
//   within 1e-6 rad, widened by what rounding the corners to floats can turn
//   them;
// - the line does not pass through the common interior of A and B in plan
//   over more than 1 mm (B may lie wholly inside A);
// - the chord is no longer than 0.0001;
// - the chord runs along an edge of A or B: both ends within 0.001 of that
//   edge's line, or within the line's own uncertainty from rounded corners.
// Either polygon may be wound either way.
std::optional<Segment3d> PolygonIntersectionSegment(const SlopePolygon& a, const SlopePolygon& b);

// The line where the planes of A and B meet (a point on it and its unit
// direction), with the planes taken as above; nothing for parallel planes or
// polygons without area.
struct PlaneLine {
    Vec3d point;
    Vec3d direction;
    double sine = 0.0;  // of the angle between the planes
};
std::optional<PlaneLine> PolygonPlanesLine(const SlopePolygon& a, const SlopePolygon& b);
