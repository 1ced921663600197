#pragma once
// What lies under a click in the editor view: slope faces, nodes and axis
// tag lines through OpenGL's selection mode over a 5 × 5 pixel region
// centred on the click, layer names and axis names by their label
// rectangles. Geometry is drawn directly in selection mode, never from a
// display list (Mesa 22.3 crashes leaving selection mode after a list that
// holds a GLU sphere). The view's GL context must be current.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "model/NodeRef.h"
#include "view/SceneFrame.h"
#include "view/SelectionHits.h"

class SceneRenderer;

class ScenePicker {
public:
    // The width and height in pixels of a label's text as the view measures it.
    using MeasureText = std::function<std::pair<int, int>(const std::string&)>;

    ScenePicker(SceneRenderer& renderer, MeasureText measure);

    // Click positions are window pixels of the frame's viewport, y down.

    struct SlopeHit {
        bool hit = false;                // anything at all under the click
        std::optional<int32_t> shapeId;  // the nearest hit is this slope face
    };
    SlopeHit PickSlope(SceneFrame& frame, int x, int y);
    // The name code of the nearest layer name under the click.
    std::optional<int32_t> PickLayerName(SceneFrame& frame, int x, int y);
    // The axis name code of the nearest axis name under the click, otherwise
    // of the nearest tag line.
    std::optional<int32_t> PickAxis(SceneFrame& frame, int x, int y);
    // The node nearest the eye under the click. Only the nodes whose
    // bounding box can reach the pick region are drawn: the hits are those
    // of drawing every node.
    std::optional<NodeRef> PickNode(SceneFrame& frame, int x, int y);

    // Mesh mode: the nodes under the click at the smallest maximum depth, in
    // hit order (indices into the workspace's node list).
    std::vector<size_t> PickMeshNodes(SceneFrame& frame, int x, int y);
    // The working-list element under the click: the last hit at the smallest
    // maximum depth.
    std::optional<size_t> PickMeshElement(SceneFrame& frame, int x, int y);

    // How many nodes the last node pick drew (and how many were visible).
    size_t LastNodesDrawn() const { return lastNodesDrawn_; }
    size_t LastNodesVisible() const { return lastNodesVisible_; }
    // When false, node picks draw every visible node (to compare with).
    void SetNodeCulling(bool on) { cullNodes_ = on; }

private:
    // The frame's matrices for the camera, without a pick region.
    void ReadFrameMatrices(SceneFrame& frame);
    // Window position (y down) of a model point with the frame's matrices;
    // nothing behind the eye.
    std::optional<std::pair<double, double>> Project(const Vec3d& p) const;
    // Whether points spread `pad` model units round them can reach the pick
    // region round (x, y); a point behind the eye always can.
    bool Reaches(std::span<const Vec3d> points, double pad, int x, int y) const;
    // Draws with `draw` in selection mode around (x, y) and answers the hit
    // records; a buffer too small for them is enlarged and the draw repeated.
    std::vector<HitRecord> Select(SceneFrame& frame, int x, int y, const std::function<void()>& draw);

    SceneRenderer& renderer_;
    MeasureText measure_;
    std::vector<uint32_t> buffer_;
    std::array<double, 16> modelview_{};
    std::array<double, 16> projection_{};
    std::array<int, 4> viewport_{};
    Vec3d eye_;
    size_t lastNodesDrawn_ = 0;
    size_t lastNodesVisible_ = 0;
    bool cullNodes_ = true;
};
