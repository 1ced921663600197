#pragma once
// Grouping the vertices of a mesh list into nodes.

#include <vector>

#include "mesh/MeshWorkspace.h"

// Vertices closer than this (3D distance to a node's first vertex) share
// the node.
inline constexpr double kNodeTolerance = 0.001;

// Empties `nodes`, then, for every element in list order and every vertex in
// element order, adds the vertex to the first node (lowest index) whose first
// vertex lies less than kNodeTolerance away, or starts a new node at the end.
// Runs in about linear time (a spatial hash), with the result of the plain
// quadratic walk.
void BuildNodes(const MeshList& list, std::vector<MeshNode>& nodes);
