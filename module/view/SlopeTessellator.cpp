#include "SlopeTessellator.h"

#include <GL/glu.h>

#include <deque>

namespace {

// What the callbacks fill for one outline.
struct Collector {
    std::vector<TessellatedPrimitive> primitives;
    // Vertices the tessellator makes where edges cross; a deque keeps their
    // addresses while more are added.
    std::deque<Vec3d> created;
};

void GLAPIENTRY OnBegin(GLenum type, void* data) {
    static_cast<Collector*>(data)->primitives.push_back({type, {}});
}

void GLAPIENTRY OnVertex(void* vertex, void* data) {
    auto* c = static_cast<Collector*>(data);
    if (!c->primitives.empty()) c->primitives.back().vertices.push_back(*static_cast<const Vec3d*>(vertex));
}

void GLAPIENTRY OnEnd(void*) {}

void GLAPIENTRY OnCombine(GLdouble coords[3], void*[4], GLfloat[4], void** out, void* data) {
    auto* c = static_cast<Collector*>(data);
    c->created.emplace_back(coords[0], coords[1], coords[2]);
    *out = &c->created.back();
}

void GLAPIENTRY OnError(GLenum, void*) {}

}  // namespace

std::vector<TessellatedPrimitive> TessellateOutline(const std::vector<Vec3d>& outline) {
    Collector collector;
    if (outline.size() < 3) return {};
    GLUtesselator* tess = gluNewTess();
    if (!tess) return {};
    using Callback = _GLUfuncptr;
    gluTessCallback(tess, GLU_TESS_BEGIN_DATA, reinterpret_cast<Callback>(OnBegin));
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<Callback>(OnVertex));
    gluTessCallback(tess, GLU_TESS_END_DATA, reinterpret_cast<Callback>(OnEnd));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<Callback>(OnCombine));
    gluTessCallback(tess, GLU_TESS_ERROR_DATA, reinterpret_cast<Callback>(OnError));
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_ODD);
    gluTessProperty(tess, GLU_TESS_BOUNDARY_ONLY, GL_FALSE);
    if (outline.size() > 3) {
        const Vec3d n = Unit(Cross(outline[1] - outline[0], outline[2] - outline[0]));
        gluTessNormal(tess, n.x, n.y, n.z);
    }
    // The tessellator keeps pointers to the coordinates until it ends.
    std::vector<Vec3d> points = outline;
    gluTessBeginPolygon(tess, &collector);
    gluTessBeginContour(tess);
    for (Vec3d& p : points) gluTessVertex(tess, &p.x, &p);
    gluTessEndContour(tess);
    gluTessEndPolygon(tess);
    gluDeleteTess(tess);
    return std::move(collector.primitives);
}
