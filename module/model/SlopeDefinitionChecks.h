#pragma once
// The checks a new slope polygon passes against the model before it is
// registered: wall lines round it and intersection lines with the slopes
// already registered.

#include <vector>

#include "model/NodeRef.h"
#include "model/SlopePolygon.h"

// The polygon being defined: its corners' nodes on the request's layers and
// their positions there, in outline order.
struct WorkingPolygon {
    std::vector<NodeRef> nodes;
    SlopePolygon positions;

    size_t Size() const { return nodes.size(); }
};

// Whether every edge between two different nodes lies on a wall line: the
// two nodes are ends of one span on `lower`, or some span of a layer from
// `lower` up to (not including) `upper` lies on the edge's line in plan.
// The first edge (from corner i to i+1) that lies on none is put in
// `missing` when given.
bool PeripheralWallsPresent(const WorkingPolygon& polygon, LayerCode lower, LayerCode upper,
                            size_t* missing = nullptr);

// Checks the intersection of the polygon with the first registered slope it
// cuts (vertex rule on). A cut that does not touch exactly one edge line of
// that slope is an overlap: with the slope's name readable the user is asked
// whether to go on (No refuses), otherwise it is refused. A cut the user
// goes on with, or one touching one edge line, must lie on a span of some
// layer, or it is refused, telling which slope's line is missing. Every
// message goes through CurrentDialogs(). True when the definition may go on;
// on a refusal the slope met is put in `met` when given.
bool IntersectionLinesDefined(const SlopePolygon& polygon, LayerCode* met = nullptr);
