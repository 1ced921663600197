#include "model/NodeSelection.h"

#include <algorithm>
#include <optional>

#include "Dialogs.h"
#include "model/ModelQueries.h"
#include "model/SlopeMessages.h"

namespace {

std::optional<std::vector<Vec3d>> Positions(const std::vector<NodeRef>& nodes) {
    std::vector<Vec3d> positions;
    positions.reserve(nodes.size());
    for (const NodeRef& n : nodes) {
        auto p = NodePositionOnLayer(n.layer, n.node);
        if (!p) return std::nullopt;
        positions.push_back(*p);
    }
    return positions;
}

}  // namespace

NodeToggle ToggleNodeSelection(std::vector<NodeRef>& picked, LayerCode layer, int32_t node) {
    if (!StoreyLayerExists(layer) || !NodePositionOnLayer(layer, node)) return NodeToggle::Refused;
    size_t onLayer = 0;
    for (auto it = picked.begin(); it != picked.end(); ++it) {
        if (it->node == node) {
            if (it->layer == layer) {
                picked.erase(it);
                return NodeToggle::Removed;
            }
            platform::CurrentDialogs().ShowMessage(kCrossingAlreadyPickedMessage);
            return NodeToggle::Refused;
        }
        if (it->layer == layer) ++onLayer;
    }
    if (onLayer > 1 && onLayer == picked.size()) {
        platform::CurrentDialogs().ShowMessage(kSingleLayerMessage);
        return NodeToggle::Refused;
    }
    picked.push_back({layer, node});
    return NodeToggle::Added;
}

void BuildOutlineShape(const std::vector<NodeRef>& picked, SlopeShapeList& shapes) {
    shapes.RemoveShapes(ShapeKind::Outline);
    if (picked.size() < 3) return;
    const auto positions = Positions(picked);
    if (!positions) return;
    shapes.AddShape(*positions, picked, ShapeKind::Outline, 0);
}

bool FindTopBottomLayers(const std::vector<NodeRef>& picked, LayerCode& top, LayerCode& bottom) {
    if (picked.empty()) return false;
    const auto positions = Positions(picked);
    if (!positions) return false;
    double highest = -1e100, lowest = 1e100;
    size_t topIndex = 0, bottomIndex = 0;
    for (size_t i = 0; i < positions->size(); ++i) {
        const double z = (*positions)[i].z;
        if (z > highest) highest = z, topIndex = i;
        if (z < lowest) lowest = z, bottomIndex = i;
    }
    top = picked[topIndex].layer;
    bottom = picked[bottomIndex].layer;
    return true;
}
