#pragma once
#include <vector>

#include "model/NodeRef.h"

// The message shown when the picked nodes do not lie in one plane.
inline constexpr const char* kOnlyPlanesMessage = "平面のみ有効です。";

// Puts the view's picked nodes (in pick order, newest last) into outline
// order, run after every accepted pick:
//  - of two earlier nodes joined to the newest by spans of the same axis, the
//    one nearer the newest is dropped (it adds nothing to the outline);
//  - the outline starts at the node of largest X, then largest Y, on the
//    layer of the highest node, and runs clockwise in plan round the
//    centroid;
//  - when the nodes are not coplanar, "平面のみ有効です。" is shown through
//    CurrentDialogs(), the newest node is removed and the answer is false.
// False without a change with fewer than three nodes. Positions are those of
// each node's first crossing, read through the model library.
bool OrderPickedNodes(std::vector<NodeRef>& picked);
