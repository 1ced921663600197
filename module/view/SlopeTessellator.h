#pragma once
// Splits a slope outline into triangles with the GLU tessellator. The
// primitive buffers grow with the outline, so any polygon fits.

#include <vector>

#include "model/Vec3d.h"

struct TessellatedPrimitive {
    unsigned int type = 0;  // GL_TRIANGLES, GL_TRIANGLE_FAN or GL_TRIANGLE_STRIP
    std::vector<Vec3d> vertices;
};

// The outline as one contour, odd winding rule. With more than three
// vertices the normal of the first three is given to the tessellator.
// Errors the tessellator reports leave out what it could not make.
std::vector<TessellatedPrimitive> TessellateOutline(const std::vector<Vec3d>& outline);
