#include "view/MeshLayers.h"

#include <GL/glu.h>

#include <algorithm>
#include <string>

#include "view/GlLabel.h"
#include "view/SceneLayers.h"
#include "view/SlopeTessellator.h"

namespace {

Vec3d AsVec(const MeshVertex& v) { return Vec3d(v.x, v.y, v.z); }

// Each channel falls from 0.5 to 0 across the element's extent along its
// axis; an extent of 0.0001 or less keeps 0.5.
struct ElementRamp {
    explicit ElementRamp(const MeshElement& e) {
        for (const MeshVertex& v : e.vertices) {
            const double c[3] = {v.x, v.y, v.z};
            for (int i = 0; i < 3; ++i) {
                min[i] = std::min(min[i], c[i]);
                max[i] = std::max(max[i], c[i]);
            }
        }
    }
    void Apply(const Vec3d& v) const {
        const double c[3] = {v.x, v.y, v.z};
        float rgb[3];
        for (int i = 0; i < 3; ++i) {
            const double extent = max[i] - min[i];
            rgb[i] = extent > 0.0001 ? static_cast<float>(0.5 - 0.5 * (c[i] - min[i]) / extent) : 0.5f;
        }
        glColor4f(rgb[0], rgb[1], rgb[2], 0.5f);
    }
    double min[3] = {1e300, 1e300, 1e300};
    double max[3] = {-1e300, -1e300, -1e300};
};

// Whether the polygon turns one way only about its Newell normal: then a fan
// from its first corner fills it and the tessellator is not needed.
bool Convex(const MeshElement& e) {
    const auto& v = e.vertices;
    const size_t n = v.size();
    Vec3d normal;
    for (size_t i = 0; i < n; ++i) {
        const MeshVertex &a = v[i], &b = v[(i + 1) % n];
        normal += Vec3d((a.y - b.y) * (a.z + b.z), (a.z - b.z) * (a.x + b.x), (a.x - b.x) * (a.y + b.y));
    }
    for (size_t i = 0; i < n; ++i) {
        const Vec3d a = AsVec(v[i]), b = AsVec(v[(i + 1) % n]), c = AsVec(v[(i + 2) % n]);
        if (Dot(Cross(b - a, c - b), normal) < 0.0) return false;
    }
    return true;
}

// Fills the element; inside an open GL_TRIANGLES batch (`batched`) a convex
// element adds its fan as triangles and answers true, anything else is left
// for a drawing of its own (false).
bool FillElement(const MeshElement& e, bool olive, bool batched = false) {
    const ElementRamp ramp(e);
    auto vertex = [&](const Vec3d& p) {
        if (olive) glColor4f(0.5f, 0.5f, 0.0f, 0.5f);
        else ramp.Apply(p);
        glVertex3d(p.x, p.y, p.z);
    };
    if (e.vertices.size() < 3) return true;
    const bool convex = e.vertices.size() == 3 || Convex(e);
    if (batched) {
        if (!convex) return false;
        for (size_t i = 1; i + 1 < e.vertices.size(); ++i) {
            vertex(AsVec(e.vertices[0]));
            vertex(AsVec(e.vertices[i]));
            vertex(AsVec(e.vertices[i + 1]));
        }
        return true;
    }
    if (convex) {
        glBegin(GL_TRIANGLE_FAN);
        for (const MeshVertex& v : e.vertices) vertex(AsVec(v));
        glEnd();
        return true;
    }
    std::vector<Vec3d> outline;
    for (const MeshVertex& v : e.vertices) outline.push_back(AsVec(v));
    for (const TessellatedPrimitive& primitive : TessellateOutline(outline)) {
        glBegin(primitive.type);
        for (const Vec3d& p : primitive.vertices) vertex(p);
        glEnd();
    }
    return true;
}

void DrawElementNumbers(const MeshElement& e, LabelRasterizer& labels) {
    const size_t n = e.vertices.size();
    for (size_t i = 0; i < n; ++i) {
        const Vec3d mid = (AsVec(e.vertices[i]) + AsVec(e.vertices[(i + 1) % n])) / 2.0;
        DrawLabel(labels, mid, std::to_string(i + 1), LabelAnchor::BottomCentre);
    }
    for (size_t i = 0; i < n; ++i)
        DrawLabel(labels, AsVec(e.vertices[i]), std::to_string(i + 1), LabelAnchor::BottomCentre, {0.0f, 1.0f, 1.0f});
}

}  // namespace

std::array<float, 4> MeshNodeColour(const MeshWorkspace& ws, size_t n, Colour nodeColour) {
    if (ws.secondPick == n && ws.firstPick != n) return {0.49f, 0.49f, 0.0f, 1.0f};
    return NodeColour(nodeColour, ws.firstPick == n);
}

void DrawMeshNodes(const MeshWorkspace& ws, const DisplaySettings& s, const std::vector<size_t>* which) {
    GLUquadric* sphere = NewNodeQuadric();
    if (!sphere) return;
    SetNodeSpecular();
    auto draw = [&](size_t n) {
        if (n >= ws.nodes.size() || ws.nodes[n].vertices.empty()) return;
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, MeshNodeColour(ws, n, s.nodeColour).data());
        const MeshVertex at = ws.NodePosition(n);
        glPushMatrix();
        glTranslated(at.x, at.y, at.z);
        glPushName(static_cast<GLuint>(n));
        gluSphere(sphere, s.nodeSize, 10, 10);
        glPopName();
        glPopMatrix();
    };
    if (which) {
        for (size_t n : *which) draw(n);
    } else {
        for (size_t n = 0; n < ws.nodes.size(); ++n) draw(n);
    }
    gluDeleteQuadric(sphere);
}

void DrawMeshOutlines(const MeshWorkspace& ws) {
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    // Each loop as separate lines, all in one batch.
    const bool file = ws.kind == MeshKind::File;
    glBegin(GL_LINES);
    for (const MeshElement& e : file ? ws.file : ws.working) {
        const size_t n = file ? std::min<size_t>(e.vertices.size(), 3) : e.vertices.size();
        if (n < 2) continue;
        for (size_t i = 0; i < n; ++i) {
            const MeshVertex &a = e.vertices[i], &b = e.vertices[(i + 1) % n];
            glVertex3d(a.x, a.y, a.z);
            glVertex3d(b.x, b.y, b.z);
        }
    }
    glEnd();
    if (file) return;
    if (ws.firstPick && ws.secondPick && *ws.firstPick != *ws.secondPick && *ws.firstPick < ws.nodes.size() &&
        *ws.secondPick < ws.nodes.size()) {
        const MeshVertex a = ws.NodePosition(*ws.firstPick), b = ws.NodePosition(*ws.secondPick);
        glBegin(GL_LINES);
        glVertex3d(a.x, a.y, a.z);
        glVertex3d(b.x, b.y, b.z);
        glEnd();
    }
}

void DrawMeshFaces(const MeshList& list, std::optional<size_t> selected, LabelRasterizer* labels, bool highlight,
                   const std::vector<size_t>* which) {
    auto draw = [&](size_t i) {
        if (i >= list.size()) return;
        const bool isSelected = selected == i;
        if (isSelected && labels) DrawElementNumbers(list[i], *labels);
        glPushName(static_cast<GLuint>(i));
        FillElement(list[i], highlight || isSelected);
        glPopName();
    };
    if (which) {
        for (size_t i : *which) draw(i);
        return;
    }
    // Drawing (not picking) every element: convex ones in one batch of
    // triangles, the rest each on its own, in list order otherwise.
    std::vector<size_t> apart;
    glBegin(GL_TRIANGLES);
    for (size_t i = 0; i < list.size(); ++i) {
        if (selected == i || !FillElement(list[i], highlight, true)) apart.push_back(i);
    }
    glEnd();
    for (size_t i : apart) draw(i);
}
