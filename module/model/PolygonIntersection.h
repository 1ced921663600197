#pragma once
#include <optional>

#include "model/SlopePolygon.h"

// The chord of polygon A along the line where the planes of A and B meet:
// the two farthest points where that line crosses the edges of A's fan
// triangles. Nothing when the z ranges of A and B do not overlap (touching
// is not overlapping), the planes are parallel, no point of the line lies
// inside both polygons in plan, the chord is shorter than 0.0001, or it runs
// along an edge of A or B (both ends within 0.001 of that edge's line).
// Either polygon may be wound either way in plan.
std::optional<Segment3d> PolygonIntersectionSegment(const SlopePolygon& a, const SlopePolygon& b);
