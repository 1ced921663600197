#pragma once
// Drawing a user mesh: mesh mode's node spheres, element outlines and
// filled elements, and the meshes registered slopes carry in slope mode.
// Pick names are list indices.

#include <GL/gl.h>

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "mesh/MeshWorkspace.h"
#include "settings/DisplaySettings.h"

class LabelRasterizer;
struct GLUquadric;

// Lit spheres of the node size at the nodes of `which` (every node when
// null), each named by its node index: the node colour, the first pick with
// its channels rotated, the second pick olive.
void DrawMeshNodes(const MeshWorkspace& ws, const DisplaySettings& settings,
                   const std::vector<size_t>* which = nullptr);

// The colour of node `n`: the node colour, the first pick with its channels
// rotated, the second pick olive.
std::array<float, 4> MeshNodeColour(const MeshWorkspace& ws, size_t n, Colour nodeColour);

// A file mesh: each element of the file list as a loop of its first three
// corners. An outline mesh: each working element as a loop of its corners,
// and the line between the two picked nodes.
void DrawMeshOutlines(const MeshWorkspace& ws);

// The elements of `list`, each filled with the colour ramp over its own
// extent; `selected` in olive, with its edge numbers (white) and vertex
// numbers (cyan) when `labels` is given. `highlight` draws every element
// olive. Those of `which` are drawn each named by its index (for picking);
// without `which` every element is drawn, the convex ones in one batch.
void DrawMeshFaces(const MeshList& list, std::optional<size_t> selected, LabelRasterizer* labels,
                   bool highlight = false, const std::vector<size_t>* which = nullptr);
