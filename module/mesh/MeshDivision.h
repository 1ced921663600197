#pragma once
// Dividing mesh elements and inserting nodes: the geometry of mesh mode's
// operations, with no dialogs and no drawing.

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "mesh/MeshWorkspace.h"

// A division that would leave the working list with more elements than this
// is refused.
inline constexpr size_t kMaxMeshElements = 250000;

// The n × m quadrilaterals of the bilinear grid over a four-corner element:
// edges 0 and 2 (V0V1, V2V3) in n steps, edges 1 and 3 in m, row by row
// from edge 0 towards edge 2. Empty unless the element has exactly 4
// vertices, n, m ≥ 1 and n × m ≤ kMaxMeshElements.
MeshList DivideQuadGrid(const MeshElement& quad, int n, int m);

// Triangles (v[j], v[j+1], centroid), each put in clockwise order; none for
// fewer than 4 vertices.
MeshList FanTriangulate(const MeshElement& polygon);

// Splits the polygon along the diagonal between its vertices a and b
// (indices, a != b): the list rotated to start at min(a, b); the first part
// runs from there to the other vertex, the second from that vertex round to
// the start. Both parts are empty when a == b or either is out of range.
std::pair<MeshElement, MeshElement> SplitElementByDiagonal(const MeshElement& element, size_t a, size_t b);

struct PlanPoint {
    double x = 0.0;
    double y = 0.0;
};
// Where segments EF and PQ meet in plan, with the tolerances of mesh mode.
// A point lies on a segment when its distance d to it has
// floor(100·d + 0.1) = 0, or d is under 1 and under 0.001 of the segment's
// length: P on EF, Q on EF, E on PQ, F on PQ answer that point, in this
// order. Otherwise E + t(F − E) = P + u(Q − P) with t (and u) set to 0 when
// floor(100·|t| + 0.1) = 0 and to 1 when floor(100·t + 0.1) = 100; none
// unless both lie in [0, 1]. A segment's exact x (vertical) or y
// (horizontal) replaces the computed one.
std::optional<PlanPoint> PlanSegmentIntersection(const MeshVertex& e, const MeshVertex& f, const MeshVertex& p,
                                                 const MeshVertex& q);

// Inserts a vertex wherever the plan segment p→q crosses an edge of an
// element of `list` (not where a vertex of that element already lies within
// 0.0001 in plan); its z is interpolated along the edge. Answers how many
// vertices were inserted. `p` and `q` are taken by value: they may be
// vertices of `list`.
size_t InsertNodesAlongLine(MeshList& list, MeshVertex p, MeshVertex q);

// Inserts the midpoint of span `s` (vertex s to vertex s+1, cyclic, 0-based)
// between them; for the last span at the front of the list. False when s is
// out of range.
bool InsertSpanMidpoint(MeshElement& element, size_t span);

// Makes order[k] (0-based old indices, each exactly once) the k-th vertex.
// False, changing nothing, when `order` is not such a permutation.
bool ReorderVertices(MeshElement& element, const std::vector<size_t>& order);

// What two picked nodes of an outline mesh lead to.
struct NodePair {
    enum class Kind {
        Line,      // no element holds both: insert nodes along the line
        Split,     // a diagonal of `element` between vertices a and b
        OnEdge,    // both are corners of one edge (or of a triangle)
    } kind = Kind::Line;
    size_t element = 0;
    size_t a = 0;
    size_t b = 0;
};
// The first element of the working list (searched through the first node's
// vertices in order) holding a vertex of both nodes; a and b are the first
// and the second node's vertices in it. Line when the nodes are the same
// or either index is out of range.
NodePair ClassifyNodePair(const MeshWorkspace& ws, size_t first, size_t second);

// A Split pair applied to the working list: the element is removed, its two
// parts appended, the nodes regrouped and the picks and the selection
// cleared. False, changing nothing, for any other pair.
bool SplitWorkingElement(MeshWorkspace& ws, const NodePair& pair);

// AutoDivide (triangles: each grid cell fanned into 4) or QuadDivide on the
// selected element with counts n and m: the element is removed, the new ones
// appended, the nodes regrouped and the picks and the selection cleared.
// Nothing changes when nothing is selected, it is not a quadrilateral, a
// count is below 1, or the working list would exceed kMaxMeshElements.
enum class DivisionResult { Done, NoSelection, NotQuadrilateral, TooMany, BadCounts };
DivisionResult DivideSelectedElement(MeshWorkspace& ws, int n, int m, bool triangles);

// Sets every vertex of node `n` to `to` (nothing for a node out of range).
void MoveNode(MeshWorkspace& ws, size_t n, const MeshVertex& to);

// Coordinates a dialog may give a node: finite and within ±1e9.
bool AcceptableCoordinate(double value);
