#pragma once
// Putting a mesh element's corners in clockwise order seen from above.

#include "mesh/MeshElement.h"

// c = the mean of the vertices. Of the permutations p of the vertex indices,
// taken in lexicographic order from the identity, the first for which every
// consecutive pair (k, k+1 cyclic) has a non-positive z component of
// (v[p(k)] - c) × (v[p(k+1)] - c) reorders the vertices. False, changing
// nothing, when there is none. A depth-first search that abandons a prefix
// as soon as one of its pairs fails: the same result without n! steps.
bool OrderElementClockwise(MeshElement& element);
