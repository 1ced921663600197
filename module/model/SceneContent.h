#pragma once
// What the editor view shows of the building model, read from the bound
// library: segments, labels and positions in model millimetres. The renderer
// draws exactly these and picking tests against the same lists, so what is
// picked is what is drawn. Each function answers an empty list when no
// library is bound, and leaves out an element whose query fails.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "model/EffectiveRange.h"
#include "model/LayerCode.h"
#include "model/NodeRef.h"
#include "model/Vec3d.h"

// Two nodes of one crossing on neighbouring storeys are joined by a column
// when they stand within this distance of each other in X and in Y (mm).
inline constexpr double kColumnTolerance = 10.0;

// What the view hides: the range (when enabled), hidden axes and layers.
// Null members hide nothing.
struct SceneFilter {
    const EffectiveRange* range = nullptr;
    const std::set<int32_t>* hiddenAxes = nullptr;
    const std::set<LayerCode>* hiddenLayers = nullptr;
};

struct Segment {
    Vec3d a, b;
};

struct SceneLabel {
    Vec3d anchor;  // where the label's bottom centre stands
    std::string text;
    int32_t code = 0;  // a layer name's name code; an axis tag's axis name code
};

// An axis tag: the name 1000 mm beyond the axis's first span in range on the
// base layer, with a 400 mm tick back towards the axis.
struct AxisTag {
    int32_t nameCode = 0;  // the kind-2 name number (the tag's pick name)
    SceneLabel label;
    Segment tick;
};

// A node drawn as a sphere, with what picking names it by.
struct SceneNode {
    NodeRef ref;
    Vec3d position;
};

// The model's layer list in enumeration order (sp_lslay until 0).
std::vector<LayerCode> EnumerateLayers();

// Ridge lines: the columns between storeys, then the spans of every storey
// layer shown.
std::vector<Segment> RidgeSegments(const SceneFilter& filter);

// The corner loops of the registered slopes that have an outline of three
// corners or more.
std::vector<std::vector<Vec3d>> SlopeOutlineLoops();

// Layer names, in enumeration order from the lowest layer shown to the
// highest, each 400 mm before the first crossing in range (x and y).
std::vector<SceneLabel> LayerNameLabels(const SceneFilter& filter);

// Axis tags in axis order; an axis without a span in range has none.
std::vector<AxisTag> AxisTags(const SceneFilter& filter);

// Slope names at the centre of their outline's corners.
std::vector<SceneLabel> SlopeNameLabels();

// The nodes of every storey layer and sub-layer shown, in layer then node
// order.
std::vector<SceneNode> VisibleNodes(const SceneFilter& filter);

// The info text of the last picked node: "層面名 …" and then one line per
// distinct axis through the node. A name lookup that fails ends the text, so
// fewer lines (none at all) come back.
std::vector<std::string> PickedNodeInfoLines(const NodeRef& node);

// The text of name `number` of `kind`, or nothing when the lookup fails.
std::optional<std::string> ModelName(int kind, int32_t number);
