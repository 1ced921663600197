#pragma once
// The records that register a slope: one SlopeRecord and a SlopeEdgeRecord
// for each edge from the fifth on, built from the working polygon and
// written through the model library.

#include <optional>
#include <string>
#include <vector>

#include "RecordLayouts.h"
#include "model/SlopeDefinitionChecks.h"

struct SlopeRecords {
    teva::SlopeRecord slope;                   // slopeNumber set when written
    std::vector<teva::SlopeEdgeRecord> edges;  // edges 5 … n in edge order
};

// The axis name code of the span joining two nodes on a layer: sp_wnam of
// the axis of sp_Pnt2ToSpanFB's span. Nothing when the nodes are no ends of
// one span, or the code does not fit a record field (1 … 32767).
std::optional<int16_t> EdgeAxisCode(LayerCode layer, int32_t node1, int32_t node2);

// Fills the records of `polygon` registered between `lower` and `upper`
// (storey layer codes): the axis code of every edge (taken on the layer of
// its first corner), the layers, and the top and bottom edges. The top edge
// runs from the first corner on `upper` to the second one there, else to the
// second corner on `lower`; the bottom edge likewise. Nothing when a field
// does not fit 16 bits (an edge on no span among them) or a side has too few
// corners to give its edge.
std::optional<SlopeRecords> BuildSlopeRecords(const WorkingPolygon& polygon, LayerCode upper, LayerCode lower);

// Registers `name` (kind 4, a name not yet in the model) and writes the
// edge records, then the slope record, under its number. On any failure it
// tells the user, removes what it wrote (records and name) and answers false.
bool WriteSlopeRecords(SlopeRecords& records, const std::string& name);
