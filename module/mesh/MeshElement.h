#pragma once
// The data of a user mesh laid over a slope: planar polygons, each owning
// copies of its corners (elements never share a vertex object).

#include <cstdint>
#include <vector>

struct MeshVertex {
    double x = 0.0;  // millimetres
    double y = 0.0;
    double z = 0.0;
};

struct MeshElement {
    // Number read from a mesh file; kept, never used.
    int32_t number = 0;
    // Corners in order; the closing edge runs from the last back to the first.
    std::vector<MeshVertex> vertices;
};

// An ordered list of elements: the outline, working and file lists of mesh
// mode, and the mesh a registered slope carries.
using MeshList = std::vector<MeshElement>;
