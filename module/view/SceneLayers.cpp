#include "SceneLayers.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "model/ModelQueries.h"
#include "model/ModelDbLibrary.h"
#include "view/GlLabel.h"

namespace {

constexpr int kNameBuffer = 64;

bool InRangeMode(const SceneFrame& f) { return f.range && f.range->enabled; }

// In range mode a layer above the upper layer is not drawn.
bool AboveRange(const SceneFrame& f, LayerCode layer) {
    return InRangeMode(f) && LayerBelow(f.range->upperLayer, layer);
}

std::string Name(int kind, int number) {
    std::array<char, kNameBuffer + 1> buffer{};
    if (Db().DB_Usnam(kind, static_cast<short>(number), buffer.data()) < 0) return {};
    return std::string(buffer.data(), strnlen(buffer.data(), kNameBuffer));
}

bool InRange(const SceneFrame& f, LayerCode layer, int32_t crossing) {
    return !f.range || IsInEffectiveRange(*f.range, layer, crossing);
}

bool OnHiddenAxis(const SceneFrame& f, LayerCode layer, int32_t node) {
    return f.hiddenAxes && IsNodeOnHiddenAxis(*f.hiddenAxes, layer, node);
}

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

std::vector<LayerCode> EnumerateLayers() {
    std::vector<LayerCode> layers;
    if (!ModelBound()) return layers;
    for (int i = 1;; ++i) {
        const int code = Db().sp_lslay(i);
        if (code == 0) break;
        layers.push_back(code);
    }
    return layers;
}

void DrawRidgeLines(const SceneFrame& f) {
    if (!ModelBound()) return;
    const DisplaySettings& s = *f.settings;
    SetGlColour(s.ridgeLineColour);
    glLineWidth(s.ridgeLineWidth);
    SetLineType(s.ridgeLineType);
    std::vector<LayerCode> storeys;
    for (LayerCode l : EnumerateLayers()) {
        if (l > 0) storeys.push_back(l);
    }
    // Columns: a crossing's node on each storey layer joined to the same
    // crossing's node on the next layer up, when they stand one above the other.
    const int crossings = Db().sp_GetMaxCros();
    for (int c = 1; c <= crossings; ++c) {
        for (size_t i = 0; i < storeys.size(); ++i) {
            const LayerCode l = storeys[i];
            LayerCode next = 0;
            for (size_t j = i + 1; j < storeys.size(); ++j) {
                if (!AboveRange(f, storeys[j])) {
                    next = storeys[j];
                    break;
                }
            }
            if (next == 0) break;
            if (!InRange(f, l, c)) continue;
            const int a = Db().sp_nno(l, c), b = Db().sp_nno(next, c);
            if (OnHiddenAxis(f, l, a) || OnHiddenAxis(f, next, b)) continue;
            auto p1 = NodePositionOnLayer(l, a), p2 = NodePositionOnLayer(next, b);
            if (!p1 || !p2) continue;
            if (std::fabs(p1->x - p2->x) > 10 || std::fabs(p1->y - p2->y) > 10) continue;
            DrawLine(*p1, *p2);
        }
    }
    // Spans of every storey layer shown.
    for (LayerCode l : storeys) {
        if (f.hiddenLayers && IsLayerHidden(*f.hiddenLayers, l)) continue;
        if (InRangeMode(f) && (LayerBelow(l, f.range->lowerLayer) || AboveRange(f, l))) continue;
        const int spans = Db().sp_GetMaxSpan(l);
        for (int j = 1; j <= spans; ++j) {
            int axis = 0, cut1 = 0, cut2 = 0;
            if (Db().sp_snox(l, j, &axis, &cut1, &cut2) != 0) continue;
            if (f.hiddenAxes && f.hiddenAxes->count(axis)) continue;
            const int c1 = Db().sp_xnow(axis, cut1), c2 = Db().sp_xnow(axis, cut2);
            if (!InRange(f, l, c1) || !InRange(f, l, c2)) continue;
            const int nameCode = Db().sp_cpnam(l);
            auto p1 = NodePosition(nameCode, c1), p2 = NodePosition(nameCode, c2);
            if (p1 && p2) DrawLine(*p1, *p2);
        }
    }
    glDisable(GL_LINE_STIPPLE);
}

void DrawSlopeOutlines(const SceneFrame& f) {
    if (!ModelBound()) return;
    SetGlColour(f.settings->outlineColour);
    for (LayerCode s : EnumerateLayers()) {
        if (s >= 0) continue;
        SlopeOutline outline;
        if (ReadSlopeOutline(s, outline) != OutlineStatus::Ok || outline.positions.size() < 3) continue;
        glBegin(GL_LINE_LOOP);
        for (const Vec3d& p : outline.positions) glVertex3d(p.x, p.y, p.z);
        glEnd();
    }
}

void DrawLayerNames(const SceneFrame& f) {
    if (!ModelBound()) return;
    SetGlColour(f.settings->textColour);
    int c0 = 1;
    LayerCode first, last = 0;
    if (InRangeMode(f)) {
        c0 = 0;
        const int crossings = Db().sp_GetMaxCros();
        for (int c = 1; c <= crossings; ++c) {
            if (InRange(f, f.range->lowerLayer, c)) {
                c0 = c;
                break;
            }
        }
        if (c0 == 0) return;
        first = f.range->lowerLayer;
        last = f.range->upperLayer;
    } else {
        first = Db().sp_lslay(1);
        for (LayerCode l : EnumerateLayers()) {
            if (l >= 0) last = l;
        }
    }
    const int from = Db().sp_lslevel(c0, first, 0), to = Db().sp_lslevel(c0, last, 0);
    for (int k = from; k <= to && k > 0; ++k) {
        const LayerCode l = Db().sp_lslay(k);
        if (l == 0) break;
        if (l < 0) continue;
        const int nameCode = Db().sp_cpnam(l);
        const std::string text = l < kSubLayerFactor ? Name(1, nameCode & 0xFFFF) : Name(3, nameCode / kSubLayerFactor);
        auto p = CrossingPosition(l, c0);
        if (!p) continue;
        DrawLabel(*f.labels, *p + Vec3d(-400, -400, 0), text, LabelAnchor::BottomCentre);
    }
}

void DrawAxisTags(const SceneFrame& f) {
    if (!ModelBound()) return;
    SetGlColour(f.settings->textColour);
    glLineWidth(f.settings->ridgeLineWidth);
    const LayerCode base = InRangeMode(f) ? f.range->lowerLayer : Db().sp_lslay(1);
    for (int i = 1;; ++i) {
        const int nameCode = Db().sp_wnam(i);
        if (nameCode < 1) break;
        const std::string name = Name(2, nameCode);
        int first = 0, last = 0;
        if (Db().sp_scon(base, i, &first, &last) < 0) continue;
        const int step = last >= first ? 1 : -1;
        for (int k = first;; k += step) {
            int n1 = 0, n2 = 0;
            if (Db().sp_snon(base, k, &n1, &n2) >= 0) {
                auto firstCrossing = NodeFirstCrossing(base, n1);
                if (firstCrossing && InRange(f, base, *firstCrossing)) {
                    auto p1 = NodePositionOnLayer(base, n1), p2 = NodePositionOnLayer(base, n2);
                    if (p1 && p2) {
                        const Vec3d d = Unit(*p1 - *p2);
                        const Vec3d tag = *p1 + 1000.0 * d;
                        glPushName(static_cast<GLuint>(nameCode));
                        DrawLabel(*f.labels, tag, name, LabelAnchor::BottomCentre);
                        DrawLine(tag, tag - 400.0 * d);
                        glPopName();
                    }
                    break;
                }
            }
            if (k == last) break;
        }
    }
}

void DrawSlopeNames(const SceneFrame& f) {
    if (!ModelBound()) return;
    SetGlColour(f.settings->textColour);
    for (LayerCode s : EnumerateLayers()) {
        if (s >= 0) continue;
        const std::string name = Name(4, SlopeNumberOf(Db().sp_cpnam(s)));
        SlopeOutline outline;
        if (ReadSlopeOutline(s, outline) != OutlineStatus::Ok || outline.positions.size() < 3) continue;
        Vec3d centre;
        for (const Vec3d& p : outline.positions) centre += p;
        centre /= static_cast<double>(outline.positions.size());
        DrawLabel(*f.labels, centre, name, LabelAnchor::BottomCentre);
    }
}

void DrawNodes(const SceneFrame& f) {
    if (!ModelBound()) return;
    const DisplaySettings& s = *f.settings;
    glLineWidth(1.0f);
    GLUquadric* sphere = gluNewQuadric();
    if (!sphere) return;
    gluQuadricDrawStyle(sphere, GLU_FILL);
    gluQuadricOrientation(sphere, GLU_OUTSIDE);
    gluQuadricNormals(sphere, GLU_SMOOTH);
    const float r = RedOf(s.nodeColour) / 255.0f, g = GreenOf(s.nodeColour) / 255.0f,
                b = BlueOf(s.nodeColour) / 255.0f;
    const GLfloat specular[4] = {0.1f, 0.1f, 0.1f, 1.0f};
    const GLfloat plain[4] = {r, g, b, 1.0f};
    const GLfloat picked[4] = {b, r, g, 1.0f};
    std::array<int, kCrossingListSize> crossings{};
    for (LayerCode l : EnumerateLayers()) {
        if (l <= 0) continue;
        if (f.hiddenLayers && IsLayerHidden(*f.hiddenLayers, l)) continue;
        if (AboveRange(f, l)) continue;
        const int nodes = Db().sp_GetMaxNode(l);
        for (int node = 1; node <= nodes; ++node) {
            if (Db().sp_nnox_L(l, node, crossings.data()) < 1) continue;
            if (OnHiddenAxis(f, l, node) || !InRange(f, l, crossings[0])) continue;
            auto p = CrossingPosition(l, crossings[0]);
            if (!p) continue;
            const bool isPicked =
                f.picked && std::find(f.picked->begin(), f.picked->end(), NodeRef{l, node}) != f.picked->end();
            glPushMatrix();
            glTranslated(p->x, p->y, p->z);
            glPushName(1);
            glPushName(static_cast<GLuint>(LayerLevel(l)));
            glPushName(static_cast<GLuint>(LayerSubLayer(l)));
            glPushName(static_cast<GLuint>(node));
            glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
            glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, isPicked ? picked : plain);
            gluSphere(sphere, s.nodeSize, 10, 10);
            glPopName();
            glPopName();
            glPopName();
            glPopName();
            glPopMatrix();
        }
    }
    gluDeleteQuadric(sphere);
}
