#pragma once
// What one frame of the editor view draws from: the view's state as the
// renderer reads it.

#include <array>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "model/EditorRefresh.h"
#include "model/EffectiveRange.h"
#include "model/NodeRef.h"
#include "panels/EditorViewLink.h"
#include "settings/DisplayItemStates.h"
#include "settings/DisplaySettings.h"
#include "view/Camera.h"

class LabelRasterizer;
struct MeshWorkspace;
class SlopeShapeList;
struct SlopeShape;

struct SceneFrame {
    Camera* camera = nullptr;
    const DisplaySettings* settings = nullptr;
    SlopeShapeList* shapes = nullptr;
    const std::vector<NodeRef>* picked = nullptr;
    std::optional<NodeRef> lastPicked;
    std::string notice;  // a short line at the bottom left (what undo did)
    const SlopeShape* selected = nullptr;
    const std::set<int32_t>* hiddenAxes = nullptr;
    const std::set<LayerCode>* hiddenLayers = nullptr;
    const EffectiveRange* range = nullptr;
    std::array<bool, 10> items{};  // items[1 … 9]
    InteractionMode mode = InteractionMode::Slope;
    int width = 1;                  // viewport, pixels
    int height = 1;
    LabelRasterizer* labels = nullptr;
    const MeshWorkspace* mesh = nullptr;  // what mesh mode shows
    const RefusalPlace* refusal = nullptr;  // drawn in orange over the scene

    bool Item(display_items::Item item) const { return items[static_cast<size_t>(item)]; }
};
