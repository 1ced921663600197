#pragma once
// The entries of a layer list: every storey layer of the model, labelled as
// the model names it, with the codes kept from the fill so that reading a
// choice never has to ask the model (and never registers a name).

#include <cstdint>
#include <string>
#include <vector>

#include "model/LayerCode.h"

struct LayerEntry {
    std::string text;  // "1F", or "1F - M" for a sub-layer
    LayerCode layer = 0;
    int32_t nameCode = 0;  // sp_cpnam of the layer
};

// The storey layers in list order (slope entries skipped; a layer with a
// missing name is left out). Empty while no library is bound.
std::vector<LayerEntry> ReadLayerEntries();

// The name code of a layer text by looking its names up (DB_Usfind, which
// writes nothing): the storey number for "1F", sub-layer × 32768 + storey
// for "1F - M", with storey 1 when the text starts with the separator.
// 0 when a name is unknown or the text empty.
int32_t FindLayerNameCode(const std::string& text);
