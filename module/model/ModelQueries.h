#pragma once
// Small queries of the building model that several parts of the editor make
// the same way, through the bound model database library. Each answers
// nothing when the library is not bound or the model has no answer.

#include <cstdint>
#include <optional>
#include <vector>

#include "model/LayerCode.h"
#include "model/Vec3d.h"

// Room the library may write into a crossing list of sp_nnox_L.
inline constexpr int kCrossingListSize = 512;

// The position of a crossing on a layer (32-bit floats widened).
std::optional<Vec3d> CrossingPosition(LayerCode layer, int32_t crossing);

// The first crossing a node stands on: the one that gives its position.
std::optional<int32_t> NodeFirstCrossing(LayerCode layer, int32_t node);

// The node's position: that of its first crossing.
std::optional<Vec3d> NodePositionOnLayer(LayerCode layer, int32_t node);

// The outline of a registered slope as the model gives it: the crossings of
// consecutive boundary axes (the last with the first) and their positions on
// the slope's plane.
struct SlopeOutline {
    std::vector<int32_t> boundaryAxes;
    std::vector<int32_t> crossings;
    std::vector<Vec3d> positions;
};

enum class OutlineStatus {
    Ok,
    NoBays,          // sp_GetMaxBayS below 1: the slope has no outline at all
    TooFewAxes,      // two boundary axes or fewer: not a polygon
    UnreadableCorner // a corner's crossing or position is missing
};

OutlineStatus ReadSlopeOutline(LayerCode slope, SlopeOutline& outline);

// Whether a code names a storey layer (main or sub-layer) of the model: its
// name code maps back to it through sp_cpno (which answers 0, -1 or -6 for
// no such layer). Slope entries and 0 are no storey layers.
bool StoreyLayerExists(LayerCode layer);

// The node standing at `position` on a layer: that of the nearest crossing
// within 1.0 mm (3D). Node numbers change when the model is restructured;
// positions do not.
std::optional<int32_t> NodeAtPosition(LayerCode layer, const Vec3d& position);
