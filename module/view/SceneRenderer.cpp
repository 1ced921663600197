#include "SceneRenderer.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <string>

#include "model/SceneContent.h"
#include "model/SlopeShapeList.h"
#include "view/GlLabel.h"
#include "view/MeshLayers.h"
#include "view/SceneLayers.h"
#include "view/SlopeTessellator.h"

namespace {

// The colour ramp of a slope face: each channel falls from 0.5 to 0 across
// the outline's extent along its axis.
struct ColourRamp {
    explicit ColourRamp(const std::vector<Vec3d>& vertices) {
        for (const Vec3d& v : vertices) {
            for (int i = 0; i < 3; ++i) {
                const float c = static_cast<float>((&v.x)[i]);
                min[i] = std::min(min[i], c);
                max[i] = std::max(max[i], c);
            }
        }
    }
    void Apply(const Vec3d& v) const {
        float rgb[3];
        for (int i = 0; i < 3; ++i) {
            const double extent = static_cast<double>(max[i]) - min[i];
            rgb[i] = extent > 0.0001 ? static_cast<float>(0.5 - 0.5 * ((&v.x)[i] - min[i]) / extent) : 0.5f;
        }
        glColor4f(rgb[0], rgb[1], rgb[2], 0.5f);
    }
    float min[3] = {3.4028235e38f, 3.4028235e38f, 3.4028235e38f};
    float max[3] = {-3.4028235e38f, -3.4028235e38f, -3.4028235e38f};
};

}  // namespace

SceneRenderer::SceneRenderer(CompassImages compass) : compass_(std::move(compass)) {}

SceneRenderer::~SceneRenderer() = default;

void SceneRenderer::Initialise(const DisplaySettings& settings) {
    ApplyClearColour(settings);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glCullFace(GL_BACK);
    glDisable(GL_CULL_FACE);
    built_.fill(false);
    compassTextures_.fill(0);
    impostors_.Reset();
    meshImpostors_.Reset();
}

void SceneRenderer::ApplyClearColour(const DisplaySettings& s) {
    glClearColor(RedOf(s.backgroundColour) / 255.0f, GreenOf(s.backgroundColour) / 255.0f,
                 BlueOf(s.backgroundColour) / 255.0f, 1.0f);
}

void SceneRenderer::SetupProjection(const Camera& camera, int width, int height) {
    SetupProjection(camera, width, height, nullptr);
}

void SceneRenderer::SetupPickProjection(const Camera& camera, int width, int height, int x, int y, double size) {
    const double region[3] = {static_cast<double>(x), static_cast<double>(y), size};
    SetupProjection(camera, width, height, region);
}

void SceneRenderer::SetupProjection(const Camera& camera, int width, int height, const double* pickRegion) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (pickRegion) {
        GLint viewport[4] = {0, 0, width, height};
        gluPickMatrix(pickRegion[0], height - pickRegion[1], pickRegion[2], pickRegion[2], viewport);
    }
    const double aspect = static_cast<double>(width) / (height > 0 ? height : 1);
    double scale;
    if (camera.parallel) {
        glOrtho(-2.0 * aspect, 2.0 * aspect, -2.0, 2.0, -1000.0, 1000.0);
        scale = camera.parallelScale;
    } else {
        gluPerspective(camera.perspectiveAngle, aspect, 0.5, 10000.0);
        scale = 0.001;  // millimetres become metres
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_NORMALIZE);
    glEnable(GL_AUTO_NORMAL);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glScaled(scale, scale, scale);
}

void SceneRenderer::DiscardDisplayLists() {
    for (unsigned int list = 1; list <= 8; ++list) DiscardDisplayList(list);
}

void SceneRenderer::DiscardDisplayList(unsigned int list) {
    if (list < 1 || list > 8) return;
    if (glIsList(list)) glDeleteLists(list, 1);
    built_[list] = false;
}

void SceneRenderer::CallList(unsigned int list, const std::function<void()>& draw) {
    if (built_[list] && glIsList(list)) {
        glCallList(list);
        return;
    }
    glNewList(list, GL_COMPILE_AND_EXECUTE);
    draw();
    glEndList();
    built_[list] = true;
}

Vec3d SceneRenderer::LookAt(Camera& camera) {
    const EyeAndUp view = camera.ComputeEye();
    gluLookAt(view.eye.x, view.eye.y, view.eye.z, camera.target.x, camera.target.y, camera.target.z, view.up.x,
              view.up.y, view.up.z);
    return view.eye;
}

void SceneRenderer::DrawScene(SceneFrame& f) {
    glPushMatrix();
    const Vec3d eye = LookAt(*f.camera);
    glGetIntegerv(GL_VIEWPORT, viewport_.data());
    glGetDoublev(GL_PROJECTION_MATRIX, projection_.data());
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview_.data());

    glDisable(GL_LIGHT0);
    glDisable(GL_LIGHTING);
    if (f.Item(display_items::kGrid)) DrawGrid(*f.settings);
    if (f.Item(display_items::kRidgeLines)) CallList(kListRidgeLines, [&] { DrawRidgeLines(f); });
    if (f.Item(display_items::kEdges)) CallList(kListSlopeOutlines, [&] { DrawSlopeOutlines(f); });
    if (f.Item(display_items::kLayerNames)) CallList(kListLayerNames, [&] { DrawLayerNames(f); });
    if (f.Item(display_items::kAxisNames)) CallList(kListAxisTags, [&] { DrawAxisTags(f); });
    if (f.Item(display_items::kSlopeNames)) CallList(kListSlopeNames, [&] { DrawSlopeNames(f); });

    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    if (f.Item(display_items::kNodes)) DrawNodeLayer(f);
    const bool meshMode = f.mode == InteractionMode::Mesh && f.mesh;
    if (meshMode) DrawMeshNodeLayer(f);

    if (f.shapes) f.shapes->OrderShapesForDrawing(eye);

    glDisable(GL_LIGHT0);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);
    if (meshMode) {
        DrawMeshOutlines(*f.mesh);
        DrawMeshFaces(f.mesh->working, f.mesh->selectedElement, f.labels);
    } else {
        DrawSlopeFaces(f, false);
    }
    glDepthMask(GL_TRUE);

    glDisable(GL_DEPTH_TEST);
    DrawRefusal(f);
    DrawVertexNumbers(f);

    // Overlay in window pixels, y down.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, viewport_[2], viewport_[3], 0, -50, 50);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_DEPTH_TEST);
    glColor4f(1, 1, 1, 1);
    DrawInfoText(f);
    glTranslated(viewport_[2] - 50, 50, 0);
    glRotated(-f.camera->elevation, 1, 0, 0);
    glRotated(-f.camera->azimuth, 0, 1, 0);
    if (f.Item(display_items::kCompass)) {
        MakeCompassTextures();
        CallList(kListCompass, [&] { DrawCompass(); });
    }
    glPopAttrib();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();

    glPopMatrix();
}

void SceneRenderer::SetNodeImpostors(bool on) {
    if (on != nodeImpostors_) built_[kListNodes] = built_[kListMeshNodes] = false;
    nodeImpostors_ = on;
}

void SceneRenderer::DrawNodeLayer(const SceneFrame& f) {
    if (!nodeImpostors_ || !impostors_.Available()) {
        CallList(kListNodes, [&] { DrawNodes(f); });
        return;
    }
    impostors_.Draw(f.settings->nodeSize, {&modelview_, &projection_, &viewport_}, [&] {
        CallList(kListNodes, [&] {
            std::vector<NodeImpostors::Sphere> spheres;
            for (const SceneNode& n : VisibleNodes({f.range, f.hiddenAxes, f.hiddenLayers}))
                spheres.push_back({n.position, NodeColour(f.settings->nodeColour, IsPicked(f, n.ref)), n.ref});
            impostors_.Compile(std::move(spheres));
        });
    });
}

void SceneRenderer::DrawMeshNodeLayer(const SceneFrame& f) {
    if (!nodeImpostors_ || !meshImpostors_.Available()) {
        CallList(kListMeshNodes, [&] { DrawMeshNodes(*f.mesh, *f.settings); });
        return;
    }
    meshImpostors_.Draw(f.settings->nodeSize, {&modelview_, &projection_, &viewport_}, [&] {
        CallList(kListMeshNodes, [&] {
            const MeshWorkspace& ws = *f.mesh;
            std::vector<NodeImpostors::Sphere> spheres;
            spheres.reserve(ws.nodes.size());
            for (size_t n = 0; n < ws.nodes.size(); ++n) {
                if (ws.nodes[n].vertices.empty()) continue;
                const MeshVertex p = ws.NodePosition(n);
                spheres.push_back({Vec3d(p.x, p.y, p.z), MeshNodeColour(ws, n, f.settings->nodeColour), {}});
            }
            meshImpostors_.Compile(std::move(spheres));
        });
    });
}

void SceneRenderer::DrawGrid(const DisplaySettings& s) {
    SetGlColour(s.gridColour);
    SetLineType(s.gridLineType);
    glLineWidth(s.gridLineWidth);
    glPushMatrix();
    glTranslated(s.gridOriginX, s.gridOriginY, s.gridOriginZ);
    const double step = s.gridSpacing;
    const int nx = s.gridCountX, ny = s.gridCountY;
    glBegin(GL_LINES);
    for (int i = 0; i <= ny; ++i) {
        glVertex3d(0, i * step, 0);
        glVertex3d(nx * step, i * step, 0);
    }
    for (int i = 0; i <= nx; ++i) {
        glVertex3d(i * step, 0, 0);
        glVertex3d(i * step, ny * step, 0);
    }
    glEnd();
    glPopMatrix();
    glDisable(GL_LINE_STIPPLE);
}

void SceneRenderer::DrawSlopeFaces(SceneFrame& f, bool pickMode) {
    if (f.mode != InteractionMode::Slope || !f.shapes) return;
    std::vector<const SlopeShape*> order;
    if (pickMode) {
        for (size_t i = 0; i < f.shapes->Size(); ++i) order.push_back(&f.shapes->At(i));
    } else {
        for (int32_t id : f.shapes->DrawOrder()) {
            if (const SlopeShape* s = f.shapes->FindShapeById(id)) order.push_back(s);
        }
    }
    for (const SlopeShape* shape : order) {
        glPushName(2);
        glPushName(static_cast<GLuint>(shape->id));
        bool highlighted;
        if (f.selected) highlighted = shape->number == f.selected->number;
        else highlighted = shape->number == 0;
        if (!shape->mesh.empty()) {
            // A slope with a mesh file shows its mesh.
            DrawMeshFaces(shape->mesh, std::nullopt, nullptr, f.selected && highlighted);
            glPopName();
            glPopName();
            continue;
        }
        const ColourRamp ramp(shape->vertices);
        for (const TessellatedPrimitive& primitive : TessellateOutline(shape->vertices)) {
            glBegin(primitive.type);
            for (const Vec3d& v : primitive.vertices) {
                if (!highlighted) ramp.Apply(v);
                else if (f.selected) glColor4f(0.5f, 0.5f, 0.0f, 0.5f);
                else glColor4f(0.5f, 0.0f, 0.0f, 0.5f);
                glVertex3d(v.x, v.y, v.z);
            }
            glEnd();
        }
        glPopName();
        glPopName();
    }
}

void SceneRenderer::DrawRefusal(const SceneFrame& f) {
    if (!f.refusal || f.mode != InteractionMode::Slope) return;
    // Orange, apart from the red of the picked outline and the olive of the
    // selection; the fill is premultiplied, as the blending expects.
    glColor4f(1.0f, 0.55f, 0.0f, 1.0f);
    if (f.refusal->edge) {
        glLineWidth(4.0f);
        glBegin(GL_LINES);
        glVertex3d(f.refusal->edge->first.x, f.refusal->edge->first.y, f.refusal->edge->first.z);
        glVertex3d(f.refusal->edge->second.x, f.refusal->edge->second.y, f.refusal->edge->second.z);
        glEnd();
        glLineWidth(1.0f);
    }
    const SlopeShape* slope = f.refusal->slope && f.shapes ? f.shapes->FindShapeByNumber(f.refusal->slope) : nullptr;
    if (!slope) return;
    glColor4f(0.35f, 0.19f, 0.0f, 0.35f);
    for (const TessellatedPrimitive& primitive : TessellateOutline(slope->vertices)) {
        glBegin(primitive.type);
        for (const Vec3d& v : primitive.vertices) glVertex3d(v.x, v.y, v.z);
        glEnd();
    }
    glColor4f(1.0f, 0.55f, 0.0f, 1.0f);
    glLineWidth(3.0f);
    glBegin(GL_LINE_LOOP);
    for (const Vec3d& v : slope->vertices) glVertex3d(v.x, v.y, v.z);
    glEnd();
    glLineWidth(1.0f);
}

void SceneRenderer::DrawVertexNumbers(const SceneFrame& f) {
    if (f.mode != InteractionMode::Slope || !f.selected || !f.labels) return;
    glColor4f(1, 1, 1, 1);
    for (size_t i = 0; i < f.selected->vertices.size(); ++i) {
        DrawLabel(*f.labels, f.selected->vertices[i], std::to_string(i + 1), LabelAnchor::BottomCentre);
    }
}

void SceneRenderer::DrawInfoText(const SceneFrame& f) {
    if (!f.notice.empty() && f.labels)
        DrawLabel(*f.labels, Vec3d(15, viewport_[3] - 30, 0), f.notice, LabelAnchor::TopLeft, {1.0f, 0.85f, 0.3f});
    if (!f.picked || f.picked->empty() || !f.lastPicked || !f.labels) return;
    const std::vector<std::string> lines = PickedNodeInfoLines(*f.lastPicked);
    for (size_t j = 0; j < lines.size(); ++j) {
        // The layer line at y 10, the axis lines 20 pixels apart from y 30.
        const double y = j == 0 ? 10 : 30 + 20.0 * static_cast<double>(j - 1);
        DrawLabel(*f.labels, Vec3d(15, y, 0), lines[j], LabelAnchor::TopLeft);
    }
}

void SceneRenderer::MakeCompassTextures() {
    if (compassTextures_[0] != 0) return;
    glGenTextures(6, compassTextures_.data());
    for (size_t i = 0; i < 6; ++i) {
        glBindTexture(GL_TEXTURE_2D, compassTextures_[i]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        const std::vector<uint8_t>& image = compass_[i];
        if (image.size() == static_cast<size_t>(kCompassImageSize * kCompassImageSize * 3)) {
            glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, kCompassImageSize, kCompassImageSize, 0, GL_RGB,
                         GL_UNSIGNED_BYTE, image.data());
        }
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

void SceneRenderer::DrawCompass() {
    enum { XMinus, XPlus, YMinus, YPlus, ZPlus, ZMinus };
    struct Face {
        int image;
        double corners[4][3];
        double tex[4][2];
    };
    static const double kTex[4][2] = {{0, 1}, {0, 0}, {1, 0}, {1, 1}};
    static const Face kFaces[6] = {
        {XPlus, {{-15, -15, 15}, {-15, 15, 15}, {15, 15, 15}, {15, -15, 15}}, {}},
        {YPlus, {{15, -15, 15}, {15, 15, 15}, {15, 15, -15}, {15, -15, -15}}, {}},
        {XMinus, {{15, -15, -15}, {15, 15, -15}, {-15, 15, -15}, {-15, -15, -15}}, {}},
        {YMinus, {{-15, -15, -15}, {-15, 15, -15}, {-15, 15, 15}, {-15, -15, 15}}, {}},
        {ZPlus, {{15, -15, -15}, {-15, -15, -15}, {-15, -15, 15}, {15, -15, 15}}, {}},
        {ZMinus, {{15, 15, 15}, {-15, 15, 15}, {-15, 15, -15}, {15, 15, -15}}, {{1, 0}, {1, 1}, {0, 1}, {0, 0}}},
    };
    glEnable(GL_CULL_FACE);
    glColor3f(0.2f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_ALPHA_TEST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    for (const Face& face : kFaces) {
        glBindTexture(GL_TEXTURE_2D, compassTextures_[static_cast<size_t>(face.image)]);
        const bool ownTex = face.tex[0][0] != 0 || face.tex[0][1] != 0 || face.tex[1][0] != 0;
        glBegin(GL_QUADS);
        for (int i = 0; i < 4; ++i) {
            const double* t = ownTex ? face.tex[i] : kTex[i];
            glTexCoord2d(t[0], t[1]);
            glVertex3dv(face.corners[i]);
        }
        glEnd();
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_CULL_FACE);
}
