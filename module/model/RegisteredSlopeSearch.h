#pragma once
// Tests of a new slope polygon against every slope registered in the model.
// Each call reads the registered polygons afresh from the model library.

#include <functional>
#include <optional>

#include "model/LayerCode.h"
#include "model/SlopePolygon.h"

// Calls `visit` with each registered slope (layer-list order) whose outline
// has three corners or more, until `visit` answers false or the list ends.
void ForEachRegisteredSlopePolygon(const std::function<bool(LayerCode slope, const SlopePolygon& polygon)>& visit);

// True when no registered slope overlaps `polygon` (PolygonsOverlap); the
// first that does is put in `overlapping` when given.
bool SlopeOverlapTest(const SlopePolygon& polygon, LayerCode* overlapping = nullptr);

struct SlopeIntersection {
    LayerCode slope = 0;
    Segment3d segment;
};

// The first registered slope whose intersection segment with `polygon`
// exists, has ends that differ by at least 0.001 in x, y or z, and, with
// `vertexRule` on, has neither end within 0.0001 of a corner of that slope
// (or within the corners' float rounding, when that is larger).
std::optional<SlopeIntersection> SlopeIntersectionSearch(const SlopePolygon& polygon, bool vertexRule);
