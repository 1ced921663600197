#pragma once
// The view's picked nodes: the node pick's toggle, the outline they span,
// and their highest and lowest layers.

#include <cstdint>
#include <vector>

#include "model/NodeRef.h"
#include "model/SlopeShapeList.h"

enum class NodeToggle { Added, Removed, Refused };

// Applies one node pick (the decoded hit: layer code and node number) to the
// picked nodes, which never hold a node number twice:
//  - the node already picked on the same layer is removed (a second click
//    deselects);
//  - the same node number picked on another layer is refused with
//    "交差順が重複します";
//  - a node on the layer of every picked node, when two or more are picked,
//    is refused with "同層面に斜面を定義することはできません。";
//  - any other node is appended.
// A layer that does not resolve (sp_cpno answering 0, -1 or -6, or a slope
// entry) or a node whose position cannot be read is refused silently: such
// a hit names nothing the user can see. Messages go through CurrentDialogs().
NodeToggle ToggleNodeSelection(std::vector<NodeRef>& picked, LayerCode layer, int32_t node);

// Replaces the Outline shape (number 0) with the polygon of the picked nodes
// in their order, from three nodes on; with fewer, or when a node's position
// cannot be read, the list keeps no outline.
void BuildOutlineShape(const std::vector<NodeRef>& picked, SlopeShapeList& shapes);

// The layers of the highest and of the lowest picked node (strictly higher
// or lower replaces, so on ties the earliest node wins). False, with the
// outputs untouched, when nothing is picked or a position cannot be read.
bool FindTopBottomLayers(const std::vector<NodeRef>& picked, LayerCode& top, LayerCode& bottom);
