#pragma once
// Drawing a user mesh: mesh mode's node spheres, element outlines and
// filled elements, and the meshes registered slopes carry in slope mode.
// Pick names are list indices.

#include <GL/gl.h>

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

// A file mesh: each element of the file list as a loop of its first three
// corners. An outline mesh: each working element as a loop of its corners,
// and the line between the two picked nodes.
void DrawMeshOutlines(const MeshWorkspace& ws);

// The elements of `list` (those of `which`, or all), each named by its index
// and filled with the colour ramp over its own extent; `selected` in olive,
// with its edge numbers (white) and vertex numbers (cyan) when `labels` is
// given. `highlight` draws every element olive.
void DrawMeshFaces(const MeshList& list, std::optional<size_t> selected, LabelRasterizer* labels,
                   bool highlight = false, const std::vector<size_t>* which = nullptr);
