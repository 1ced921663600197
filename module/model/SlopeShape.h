#pragma once
// One slope outline held in memory by the editor view.

#include <cstdint>
#include <vector>

#include "mesh/MeshElement.h"
#include "model/NodeRef.h"
#include "model/Vec3d.h"

enum class ShapeKind : int32_t {
    Registered = 1,  // a slope registered in the model, read from it
    Outline = 2,     // the outline made from the picked nodes
    Defined = 3      // a polygon defined without registering it
};

struct SlopeShape {
    // Unique within its list; the name the shape is picked by.
    int32_t id = 0;
    // Registered: the slope's layer code (negative). Outline: 0. Defined:
    // 1, 2, 3 … in order of definition.
    int32_t number = 0;
    ShapeKind kind = ShapeKind::Outline;
    int16_t value = 0;  // caller's tag
    std::vector<Vec3d> vertices;  // outline in order, millimetres; at least 3
    std::vector<NodeRef> nodes;   // the node of each vertex
    MeshList mesh;                // triangles of the slope's mesh file, if any
    // The model's handle of the slope's definition record; 0 when none.
    int32_t definitionHandle = 0;

    int32_t VertexCount() const { return static_cast<int32_t>(vertices.size()); }
    // Mean of the vertices.
    Vec3d Centroid() const;
};
