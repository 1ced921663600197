#pragma once
#include <optional>

#include "model/Vec3d.h"

// The point where the plan line p3-p4 meets the line p1-p2: p1 + t·(p2 - p1),
// so Z is interpolated along the first line and the Z of p3, p4 is ignored.
// Nothing when the lines are parallel in plan (or either is a point), where
// the formula would divide by 0.
std::optional<Vec3d> PlanLineIntersection(const Vec3d& p1, const Vec3d& p2, const Vec3d& p3,
                                          const Vec3d& p4);
