#pragma once
// Tests on projected polygons (closed outlines of Point2d). Side-of-line
// decisions are exact (Orientation); "on an edge" is a distance within the
// tolerance the caller gives.

#include <vector>

#include "model/Orientation2d.h"

using Polygon2d = std::vector<Point2d>;

// Distance from p to the segment a-b (to a when the segment is a point).
double DistanceToSegment(const Point2d& p, const Point2d& a, const Point2d& b);

// Whether a0-a1 and b0-b1 cross at one point inside both: no end lies within
// `onEdge` of the other segment and each segment's ends lie strictly on
// opposite sides of the other's line. Segments that touch (an end on the
// other, a T) or run along each other do not cross.
bool SegmentsCrossProperly(const Point2d& a0, const Point2d& a1, const Point2d& b0, const Point2d& b1, double onEdge);

enum class Location { Inside, Outside, Boundary };

// Where p lies: on the boundary when within `onEdge` of an edge, otherwise
// inside or outside by its exact winding number (either winding of the
// outline).
Location Locate(const Polygon2d& polygon, const Point2d& p, double onEdge);

// Whether the boundary of `p` runs both strictly inside and strictly outside
// `q`: it is cut at q's corners that lie on it, and each piece longer than
// 2 × onEdge is located by its middle. Meant for outlines whose edges do not
// cross properly; then it tells whether the interiors share area without one
// polygon containing the other.
bool BoundaryEntersAndLeaves(const Polygon2d& p, const Polygon2d& q, double onEdge);
