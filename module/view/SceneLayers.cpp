#include "SceneLayers.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>

#include "model/SceneContent.h"
#include "view/GlLabel.h"

namespace {

SceneFilter FilterOf(const SceneFrame& f) { return {f.range, f.hiddenAxes, f.hiddenLayers}; }

void DrawLine(const Vec3d& a, const Vec3d& b) {
    glBegin(GL_LINES);
    glVertex3d(a.x, a.y, a.z);
    glVertex3d(b.x, b.y, b.z);
    glEnd();
}

}  // namespace

void SetGlColour(Colour c, float alpha) {
    glColor4f(RedOf(c) / 255.0f, GreenOf(c) / 255.0f, BlueOf(c) / 255.0f, alpha);
}

void SetLineType(LineTypeCode type) {
    if (auto stipple = StippleOf(type)) {
        glEnable(GL_LINE_STIPPLE);
        glLineStipple(stipple->factor, stipple->pattern);
    } else {
        glDisable(GL_LINE_STIPPLE);
    }
}

void DrawRidgeLines(const SceneFrame& f) {
    const DisplaySettings& s = *f.settings;
    SetGlColour(s.ridgeLineColour);
    glLineWidth(s.ridgeLineWidth);
    SetLineType(s.ridgeLineType);
    for (const Segment& segment : RidgeSegments(FilterOf(f))) DrawLine(segment.a, segment.b);
    glDisable(GL_LINE_STIPPLE);
}

void DrawSlopeOutlines(const SceneFrame& f) {
    SetGlColour(f.settings->outlineColour);
    for (const std::vector<Vec3d>& loop : SlopeOutlineLoops()) {
        glBegin(GL_LINE_LOOP);
        for (const Vec3d& p : loop) glVertex3d(p.x, p.y, p.z);
        glEnd();
    }
}

void DrawLayerNames(const SceneFrame& f) {
    SetGlColour(f.settings->textColour);
    for (const SceneLabel& label : LayerNameLabels(FilterOf(f)))
        DrawLabel(*f.labels, label.anchor, label.text, LabelAnchor::BottomCentre);
}

void DrawAxisTags(const SceneFrame& f) {
    SetGlColour(f.settings->textColour);
    glLineWidth(f.settings->ridgeLineWidth);
    for (const AxisTag& tag : AxisTags(FilterOf(f))) {
        glPushName(static_cast<GLuint>(tag.nameCode));
        DrawLabel(*f.labels, tag.label.anchor, tag.label.text, LabelAnchor::BottomCentre);
        DrawLine(tag.tick.a, tag.tick.b);
        glPopName();
    }
}

void DrawSlopeNames(const SceneFrame& f) {
    SetGlColour(f.settings->textColour);
    for (const SceneLabel& label : SlopeNameLabels())
        DrawLabel(*f.labels, label.anchor, label.text, LabelAnchor::BottomCentre);
}

std::array<float, 4> NodeColour(Colour nodeColour, bool picked) {
    const float r = RedOf(nodeColour) / 255.0f, g = GreenOf(nodeColour) / 255.0f, b = BlueOf(nodeColour) / 255.0f;
    if (picked) return {b, r, g, 1.0f};
    return {r, g, b, 1.0f};
}

void SetNodeSpecular() {
    const GLfloat specular[4] = {0.1f, 0.1f, 0.1f, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
}

void SetNodeMaterial(Colour nodeColour, bool picked) {
    SetNodeSpecular();
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, NodeColour(nodeColour, picked).data());
}

bool IsPicked(const SceneFrame& f, const NodeRef& node) {
    return f.picked && std::find(f.picked->begin(), f.picked->end(), node) != f.picked->end();
}

void DrawNodes(const SceneFrame& f) {
    const std::vector<SceneNode> nodes = VisibleNodes(FilterOf(f));
    if (nodes.empty()) return;
    const DisplaySettings& s = *f.settings;
    glLineWidth(1.0f);
    GLUquadric* sphere = NewNodeQuadric();
    if (!sphere) return;
    for (const SceneNode& n : nodes) {
        SetNodeMaterial(s.nodeColour, IsPicked(f, n.ref));
        DrawNodeSphere(sphere, n.ref, n.position, s.nodeSize);
    }
    gluDeleteQuadric(sphere);
}

GLUquadric* NewNodeQuadric() {
    GLUquadric* sphere = gluNewQuadric();
    if (!sphere) return nullptr;
    gluQuadricDrawStyle(sphere, GLU_FILL);
    gluQuadricOrientation(sphere, GLU_OUTSIDE);
    gluQuadricNormals(sphere, GLU_SMOOTH);
    return sphere;
}

void DrawNodeSphere(GLUquadric* sphere, const NodeRef& node, const Vec3d& position, double radius) {
    glPushMatrix();
    glTranslated(position.x, position.y, position.z);
    glPushName(1);
    glPushName(static_cast<GLuint>(LayerLevel(node.layer)));
    glPushName(static_cast<GLuint>(LayerSubLayer(node.layer)));
    glPushName(static_cast<GLuint>(node.node));
    gluSphere(sphere, radius, 10, 10);
    glPopName();
    glPopName();
    glPopName();
    glPopName();
    glPopMatrix();
}
