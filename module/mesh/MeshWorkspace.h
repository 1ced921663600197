#pragma once
// What mesh mode works on: the mesh of one registered slope, its nodes and
// the user's picks. The editor view owns one; it is cleared when the view is
// created, on entering and on leaving mesh mode.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "mesh/MeshElement.h"

enum class MeshKind : int32_t {
    File = 0,     // the slope's mesh file: only node positions can change
    Outline = 1,  // built from the slope outline: every operation applies
};

// A vertex of a mesh list: element index, vertex index within it.
struct MeshVertexRef {
    uint32_t element = 0;
    uint32_t vertex = 0;
    bool operator==(const MeshVertexRef&) const = default;
};

// Vertices of one list that coincide: each lies less than 0.001 (3D) from
// the node's first vertex, whose position is the node's.
struct MeshNode {
    std::vector<MeshVertexRef> vertices;
};

// Which list the node list was grouped from.
enum class GroupedList { Working, File };

struct MeshWorkspace {
    MeshList outline;  // the slope outline as one element
    MeshList working;  // the editable mesh (starts as a copy of the outline)
    MeshList file;     // the elements read from the slope's mesh file
    std::vector<MeshNode> nodes;
    GroupedList grouped = GroupedList::Working;
    MeshKind kind = MeshKind::File;
    int16_t slopeNumber = 0;  // key of the slope's SlopeRecord

    // Picks are indices: nodes into `nodes`, the element into `working`.
    std::optional<size_t> firstPick;
    std::optional<size_t> secondPick;
    std::optional<size_t> selectedElement;

    // Empties every list, drops the picks and the selection; kind File.
    void Clear();
    void ClearPicks() { firstPick.reset(), secondPick.reset(); }

    const MeshList& GroupedElements() const { return grouped == GroupedList::File ? file : working; }
    MeshList& GroupedElements() { return grouped == GroupedList::File ? file : working; }
    // Groups the vertices of `which` into nodes (BuildNodes) and remembers
    // the list; drops both node picks.
    void Group(GroupedList which);
    // The position of node `n` (its first vertex).
    MeshVertex NodePosition(size_t n) const;
    const MeshVertex& Vertex(MeshVertexRef ref) const;
    MeshVertex& Vertex(MeshVertexRef ref);
};
