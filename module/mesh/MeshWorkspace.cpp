#include "mesh/MeshWorkspace.h"

#include <cassert>

#include "mesh/MeshNodes.h"

void MeshWorkspace::Clear() {
    outline.clear();
    working.clear();
    file.clear();
    nodes.clear();
    grouped = GroupedList::Working;
    kind = MeshKind::File;
    slopeNumber = 0;
    ClearPicks();
    selectedElement.reset();
}

void MeshWorkspace::Group(GroupedList which) {
    grouped = which;
    BuildNodes(GroupedElements(), nodes);
    ClearPicks();
}

MeshVertex MeshWorkspace::NodePosition(size_t n) const {
    assert(n < nodes.size() && !nodes[n].vertices.empty());
    return Vertex(nodes[n].vertices.front());
}

const MeshVertex& MeshWorkspace::Vertex(MeshVertexRef ref) const {
    const MeshList& list = GroupedElements();
    assert(ref.element < list.size() && ref.vertex < list[ref.element].vertices.size());
    return list[ref.element].vertices[ref.vertex];
}

MeshVertex& MeshWorkspace::Vertex(MeshVertexRef ref) {
    MeshList& list = GroupedElements();
    assert(ref.element < list.size() && ref.vertex < list[ref.element].vertices.size());
    return list[ref.element].vertices[ref.vertex];
}
