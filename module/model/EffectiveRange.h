#pragma once
// The range of layers and axes the view shows when the 有効範囲 display item
// is on, and the view's other visibility tests.

#include <cstdint>
#include <optional>
#include <set>

#include "model/LayerCode.h"
#include "model/Vec3d.h"

struct EffectiveRange {
    bool enabled = false;
    LayerCode upperLayer = 0;
    LayerCode lowerLayer = 0;
    // Bounding axis numbers; 0 or less leaves that side open.
    int32_t axisMinX = 0;  // runs along Y at the smallest X
    int32_t axisMaxX = 0;  // runs along Y at the largest X
    int32_t axisMinY = 0;  // runs along X at the smallest Y
    int32_t axisMaxY = 0;  // runs along X at the largest Y
};

// The six range selections of the placement panel, as the panel decodes
// them: a layer selection's code is a layer name code, an axis selection's an
// axis name code.
enum class RangeSelection { UpperLayer, LowerLayer, AxisMinX, AxisMaxX, AxisMinY, AxisMaxY };

class RangeSource {
public:
    virtual ~RangeSource() = default;
    // The 有効範囲 display item is on.
    virtual bool RangeShown() const = 0;
    // The code chosen in one selection.
    virtual int32_t SelectionCode(RangeSelection which) const = 0;
};

// Fills `range` before a paint: the flag, the layer codes (sp_cpno of the
// layer selections) and the axis numbers (sp_wno of the axis selections).
void CacheEffectiveRange(const RangeSource& source, EffectiveRange& range);

// Whether crossing `crossing` on layer `layer` lies within the range; always
// true when the range is off. A layer below the lower layer is outside (the
// renderer applies the upper bound itself). A node counts as outside when
// for one span of a bounding axis the cross product of the span direction and
// the node's offset exceeds 1 (mm²) in magnitude on the outer side, so a node
// on or within that tolerance of the axis is inside. A node whose position
// cannot be read is outside.
bool IsInEffectiveRange(const EffectiveRange& range, LayerCode layer, int32_t crossing);

// Whether the node's first crossing lies on an axis of `hiddenAxes` (axis
// numbers). A node whose crossings cannot be listed counts as hidden.
bool IsNodeOnHiddenAxis(const std::set<int32_t>& hiddenAxes, LayerCode layer, int32_t node);

inline bool IsLayerHidden(const std::set<LayerCode>& hiddenLayers, LayerCode layer) {
    return hiddenLayers.count(layer) != 0;
}

// The position of crossing `crossing` on the layer named by `nameCode`;
// nothing when no such layer exists (sp_cpno 0, -1 or -6) or the position
// cannot be read.
std::optional<Vec3d> NodePosition(int32_t nameCode, int32_t crossing);
