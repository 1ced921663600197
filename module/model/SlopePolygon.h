#pragma once
#include <vector>

#include "model/Vec3d.h"

// A slope polygon: n ≥ 3 corners in order, millimetres; edge i runs from
// corner i to corner i+1, the last edge back to corner 0.
using SlopePolygon = std::vector<Vec3d>;

// A piece of an intersection line: its two ends, in either order.
struct Segment3d {
    Vec3d p1;
    Vec3d p2;
};
