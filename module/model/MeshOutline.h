#pragma once
// A registered slope's outline as one mesh element: the corners are the
// crossings of its edge axes on its lower layer.

#include <optional>

#include "RecordLayouts.h"
#include "mesh/MeshElement.h"

// Corner k lies where the axes of edges k and k+1 (cyclic) cross, on the
// lower layer; edges 1 to 4 come from the record, 5 to n from its edge
// records (an edge record that cannot be read is skipped). Coordinates are
// rounded to two decimals and the corners put in clockwise order. Nothing
// when fewer than three edges are known or a crossing or its position
// cannot be found.
std::optional<MeshElement> BuildOutlineElement(const teva::SlopeRecord& record);
