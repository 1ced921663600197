#pragma once
#include <optional>

#include "model/Vec3d.h"

// The point where the plan line p3-p4 meets the line p1-p2: p1 + t·(p2 - p1),
// so Z is interpolated along the first line and the Z of p3, p4 is ignored.
// Nothing when either line is a point in plan or the two are parallel within
// 1e-9: the cross product of their plan directions at most 1e-9 times the
// product of their plan lengths (about 1e-9 rad), where the point would lie
// absurdly far away.
std::optional<Vec3d> PlanLineIntersection(const Vec3d& p1, const Vec3d& p2, const Vec3d& p3, const Vec3d& p4);
