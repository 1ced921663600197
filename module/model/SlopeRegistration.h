#pragma once
// Defining a slope from the selected outline: the checks against the model
// in their fixed order, each with its own message, and the registration of
// the slope (or the keeping of an unregistered polygon).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/EditorRefresh.h"
#include "model/NodeRef.h"
#include "model/SlopeShapeList.h"

struct DefineRequest {
    LayerCode upper = 0;  // storey layer codes
    LayerCode lower = 0;
    int32_t unused = 0;   // the definition panel's plane flag; not read
    std::string name;     // the slope's name, already normalised
    bool registerSlope = true;  // false: keep the polygon as a Defined shape
};

// Removes every corner that lies on the straight line from the corner before
// it to the one after it, seen in the same direction from the corner before
// (unit vectors agreeing within 1e-9 per component), from the vertices and
// the node references alike. Stops at two corners.
void RemoveCollinearVertices(SlopeShape& shape);

// The first "sl:N" (N = 1, 2, …) that names no slope. Nothing, after a
// message, when every N up to 32767 is taken or a lookup fails.
std::optional<std::string> AutoSlopeName();

// Defines the selected shape S of `shapes` (`picked`: the view's picked
// nodes, which give the top and bottom layers). Answers false without a word
// when nothing is selected. Otherwise, in order, each refusal with its
// message:
//  1. S loses its collinear corners; fewer than three → false, S stays
//     selected;
//  2. a registered name must be new, not empty and at most 63 bytes;
//  3. the request's layers must be storey layers, the picked nodes must lie
//     on two layers at least, and the upper layer must stand higher than the
//     lower one ("位置関係が不正です。");
//  4. the working polygon: S's nodes with the top layer's replaced by the
//     upper layer and the bottom layer's by the lower layer, positions read
//     there;
//  5. an overlap with a registered slope ends as a success (true) with
//     nothing written;
//  6. wall lines round it, 7. intersection lines with registered slopes;
//  8. unregistered: a Defined shape is added; registered: the records are
//     built (every 16-bit field checked) and written, the name registered
//     only with them.
// A success ends with DB_restruct(0), S deselected, the registered shapes
// rebuilt and refresh.RefreshAfterModelChange(); a refusal after step 1
// deselects S and calls refresh.Repaint(). Nothing is written before the
// last step, and a write that fails is reported and undone.
bool DefineSlope(const DefineRequest& request, const std::vector<NodeRef>& picked, SlopeShapeList& shapes,
                 EditorRefresh& refresh);

// The "定義" command: DefineSlope of the selected shape with an automatic
// name, the top and bottom layers of the picked nodes, registered. False
// (the selection cleared, the view repainted) when no name or no layers can
// be found.
bool DefineSlopeWithAutomaticName(const std::vector<NodeRef>& picked, SlopeShapeList& shapes,
                                  EditorRefresh& refresh);
