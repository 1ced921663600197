#pragma once
// The "他斜面との交線を抽出" command: prepares the model so that the
// selected outline can be defined, adding an axis along every edge that lies
// on none, and, where the outline cuts a registered slope, the levels at the
// cut's ends and an axis along the cut.

#include <vector>

#include "model/EditorRefresh.h"
#include "model/NodeRef.h"
#include "model/SlopeShapeList.h"

// Runs the extraction on the selected shape of `shapes` (`picked`: the
// view's picked nodes, which give the top and bottom layers; the shape's own
// nodes when empty). False, doing nothing, when nothing is selected; false
// after "構成点は3点必要です。" for fewer than three corners. Otherwise:
//  1. an outline overlapping a registered slope is refused;
//  2. the edge scan: an edge on no axis gets one new axis line (a name
//     "N'"), the model is restructured, every corner's node is found again
//     from its position, and the scan starts over. An edge that still lies
//     on no axis after its line was added ends the command, naming its
//     nodes;
//  3. when every edge lies on an axis, the cut with the first registered
//     slope it meets gets levels at its ends (where none is within 1.0) and
//     an axis along it (unless it lies on a span already, or on the line of
//     an existing axis, which is refused); without a cut, every axis that
//     lies on an edge's line beyond the edge, and on no other edge, is named
//     once in a message.
// What is added stays added when a later step fails; that message then lists
// it. Every way past the three-point check ends with DB_restruct(0), the
// selection cleared, the registered shapes rebuilt and
// refresh.RefreshAfterModelChange(), and answers true: the caller then
// resets the picked nodes and the outline.
bool ExtractIntersectionLines(const std::vector<NodeRef>& picked, SlopeShapeList& shapes, EditorRefresh& refresh);
