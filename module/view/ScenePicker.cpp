#include "view/ScenePicker.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "model/SceneContent.h"
#include "view/LabelHitTest.h"
#include "view/MeshLayers.h"
#include "view/SceneLayers.h"
#include "view/SceneRenderer.h"

namespace {

// Side of the square pick region, pixels.
constexpr double kPickRegion = 5.0;
// A selection buffer grows up to this many entries before a pick gives up.
constexpr size_t kMaxSelectionBuffer = size_t{1} << 22;

SceneFilter FilterOf(const SceneFrame& f) { return {f.range, f.hiddenAxes, f.hiddenLayers}; }

// Clip coordinates of a point: projection × modelview × (p, 1).
std::array<double, 4> Clip(const std::array<double, 16>& projection, const std::array<double, 16>& modelview,
                           const Vec3d& p) {
    std::array<double, 4> eye{}, clip{};
    const double in[4] = {p.x, p.y, p.z, 1.0};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) eye[static_cast<size_t>(r)] += modelview[static_cast<size_t>(c * 4 + r)] * in[c];
    }
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c)
            clip[static_cast<size_t>(r)] += projection[static_cast<size_t>(c * 4 + r)] * eye[static_cast<size_t>(c)];
    }
    return clip;
}

}  // namespace

ScenePicker::ScenePicker(SceneRenderer& renderer, MeasureText measure)
    : renderer_(renderer), measure_(std::move(measure)) {}

void ScenePicker::ReadFrameMatrices(SceneFrame& f) {
    renderer_.SetupProjection(*f.camera, f.width, f.height);
    glPushMatrix();
    eye_ = SceneRenderer::LookAt(*f.camera);
    glGetIntegerv(GL_VIEWPORT, viewport_.data());
    glGetDoublev(GL_PROJECTION_MATRIX, projection_.data());
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview_.data());
    glPopMatrix();
}

std::optional<std::pair<double, double>> ScenePicker::Project(const Vec3d& p) const {
    const auto clip = Clip(projection_, modelview_, p);
    if (clip[3] <= 0.0) return std::nullopt;
    const double nx = clip[0] / clip[3], ny = clip[1] / clip[3];
    const double wx = viewport_[0] + (nx + 1.0) * viewport_[2] / 2.0;
    const double wy = viewport_[1] + (ny + 1.0) * viewport_[3] / 2.0;
    return std::make_pair(wx, viewport_[3] - wy);
}

std::vector<HitRecord> ScenePicker::Select(SceneFrame& f, int x, int y, const std::function<void()>& draw) {
    for (size_t size = 512; size <= kMaxSelectionBuffer; size *= 4) {
        buffer_.assign(size, 0);
        glSelectBuffer(static_cast<GLsizei>(size), buffer_.data());
        glRenderMode(GL_SELECT);
        glInitNames();
        renderer_.SetupPickProjection(*f.camera, f.width, f.height, x, y, kPickRegion);
        SceneRenderer::LookAt(*f.camera);
        draw();
        const int count = glRenderMode(GL_RENDER);
        // -1: the buffer overflowed; draw again into a larger one.
        if (count >= 0) return ParseHits(buffer_.data(), buffer_.size(), count);
    }
    return {};
}

ScenePicker::SlopeHit ScenePicker::PickSlope(SceneFrame& f, int x, int y) {
    SlopeHit result;
    if (f.mode != InteractionMode::Slope) return result;
    const auto hits = Select(f, x, y, [&] { renderer_.DrawSlopeFaces(f, true); });
    if (hits.empty()) return result;
    result.hit = true;
    if (auto nearest = NearestHitTagged(hits, 2); nearest && nearest->names.size() >= 2)
        result.shapeId = static_cast<int32_t>(nearest->names[1]);
    return result;
}

std::optional<int32_t> ScenePicker::PickLayerName(SceneFrame& f, int x, int y) {
    ReadFrameMatrices(f);
    std::vector<LabelTarget> targets;
    for (const SceneLabel& label : LayerNameLabels(FilterOf(f))) {
        const auto at = Project(label.anchor);
        if (!at) continue;
        const auto [w, h] = measure_(label.text);
        targets.push_back({at->first, at->second, w, h, Length(label.anchor - eye_), label.code});
    }
    return NearestLabelHit(targets, x, y);
}

std::optional<int32_t> ScenePicker::PickAxis(SceneFrame& f, int x, int y) {
    ReadFrameMatrices(f);
    const std::vector<AxisTag> tags = AxisTags(FilterOf(f));
    std::vector<LabelTarget> targets;
    for (const AxisTag& tag : tags) {
        const auto at = Project(tag.label.anchor);
        if (!at) continue;
        const auto [w, h] = measure_(tag.label.text);
        targets.push_back({at->first, at->second, w, h, Length(tag.label.anchor - eye_), tag.nameCode});
    }
    const auto hits = Select(f, x, y, [&] {
        for (const AxisTag& tag : tags) {
            glPushName(static_cast<GLuint>(tag.nameCode));
            glBegin(GL_LINES);
            glVertex3d(tag.tick.a.x, tag.tick.a.y, tag.tick.a.z);
            glVertex3d(tag.tick.b.x, tag.tick.b.y, tag.tick.b.z);
            glEnd();
            glPopName();
        }
    });
    if (auto label = NearestLabelHit(targets, x, y)) return label;
    if (auto nearest = NearestHit(hits); nearest && !nearest->names.empty())
        return static_cast<int32_t>(nearest->names[0]);
    return std::nullopt;
}

bool ScenePicker::Reaches(std::span<const Vec3d> points, double pad, int x, int y) const {
    // One pixel more than half the region, for the rasteriser's rounding.
    const double reach = kPickRegion / 2.0 + 1.0;
    double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
    for (const Vec3d& point : points) {
        for (int corner = 0; corner < 8; ++corner) {
            const Vec3d p = point + Vec3d(corner & 1 ? pad : -pad, corner & 2 ? pad : -pad, corner & 4 ? pad : -pad);
            const auto at = Project(p);
            if (!at) return true;  // reaches behind the eye: let the clipper decide
            minX = std::min(minX, at->first);
            maxX = std::max(maxX, at->first);
            minY = std::min(minY, at->second);
            maxY = std::max(maxY, at->second);
            if (pad == 0.0) break;
        }
    }
    return minX <= x + reach && x - reach <= maxX && minY <= y + reach && y - reach <= maxY;
}

std::vector<size_t> ScenePicker::PickMeshNodes(SceneFrame& f, int x, int y) {
    if (!f.mesh || !f.settings) return {};
    ReadFrameMatrices(f);
    const MeshWorkspace& ws = *f.mesh;
    const double r = f.settings->nodeSize;
    std::vector<size_t> near;
    for (size_t n = 0; n < ws.nodes.size(); ++n) {
        if (ws.nodes[n].vertices.empty()) continue;
        const MeshVertex p = ws.NodePosition(n);
        if (Reaches(std::array<Vec3d, 1>{Vec3d(p.x, p.y, p.z)}, r, x, y)) near.push_back(n);
    }
    if (near.empty()) return {};
    const auto hits = Select(f, x, y, [&] { DrawMeshNodes(ws, *f.settings, &near); });
    return NearestFirstNames(hits);
}

std::optional<size_t> ScenePicker::PickMeshElement(SceneFrame& f, int x, int y) {
    if (!f.mesh) return std::nullopt;
    ReadFrameMatrices(f);
    const MeshList& list = f.mesh->working;
    std::vector<size_t> near;
    std::vector<Vec3d> corners;
    for (size_t i = 0; i < list.size(); ++i) {
        corners.clear();
        for (const MeshVertex& v : list[i].vertices) corners.emplace_back(v.x, v.y, v.z);
        if (!corners.empty() && Reaches(corners, 0.0, x, y)) near.push_back(i);
    }
    if (near.empty()) return std::nullopt;
    const auto hits = Select(f, x, y, [&] { DrawMeshFaces(list, std::nullopt, nullptr, false, &near); });
    const std::vector<size_t> nearest = NearestFirstNames(hits);
    if (nearest.empty()) return std::nullopt;
    return nearest.back();
}

std::optional<NodeRef> ScenePicker::PickNode(SceneFrame& f, int x, int y) {
    ReadFrameMatrices(f);
    const std::vector<SceneNode> nodes = VisibleNodes(FilterOf(f));
    const double r = f.settings ? f.settings->nodeSize : 0.0;
    // A node can be hit only when its bounding box reaches the pick region.
    std::vector<const SceneNode*> drawn;
    for (const SceneNode& n : nodes) {
        if (!cullNodes_ || Reaches({&n.position, 1}, r, x, y)) drawn.push_back(&n);
    }
    lastNodesVisible_ = nodes.size();
    lastNodesDrawn_ = drawn.size();
    if (drawn.empty()) return std::nullopt;
    GLUquadric* sphere = gluNewQuadric();
    if (!sphere) return std::nullopt;
    const auto hits = Select(f, x, y, [&] {
        for (const SceneNode* n : drawn) DrawNodeSphere(sphere, n->ref, n->position, r);
    });
    gluDeleteQuadric(sphere);
    const auto nearest = NearestHitTagged(hits, 1);
    if (!nearest || nearest->names.size() < 4) return std::nullopt;
    const auto level = static_cast<int32_t>(nearest->names[1]), sub = static_cast<int32_t>(nearest->names[2]);
    return NodeRef{MakeLayerCode(level, sub), static_cast<int32_t>(nearest->names[3])};
}
