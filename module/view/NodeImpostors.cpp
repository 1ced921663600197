#include "view/NodeImpostors.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <QOpenGLContext>
#include <QOpenGLFunctions>

#include <algorithm>
#include <cmath>

#include "view/SceneLayers.h"

namespace {

// A sprite's size is the sphere's outline plus this margin, pixels: points
// are placed on whole pixels.
constexpr double kSpriteMargin = 1.0;
// Spheres whose sprite would come this close to the largest point size are
// drawn as meshes; the program drops them a little later, so a sphere at
// the limit is drawn twice rather than not at all.
constexpr double kMeshBelowLargestPoint = 16.0;

// The vertex program sizes each point to the projected outline of its
// sphere (tangent lines from the eye along each screen axis) and centres it
// there; spheres the point cannot show are moved out of the view.
const char* const kVertexProgram = R"(#version 120
uniform float radius;    // eye space
uniform vec4 viewport;   // x, y, width, height
uniform float maxSize;   // pixels
varying vec3 centre;     // eye space

vec2 Extent(float lateral, float depth, float scale, float shift) {
    float t = sqrt(lateral * lateral + depth * depth - radius * radius);
    return vec2(scale * (t * lateral - radius * depth) / (t * depth + radius * lateral) - shift,
                scale * (t * lateral + radius * depth) / (t * depth - radius * lateral) - shift);
}

void main() {
    vec4 eye = gl_ModelViewMatrix * gl_Vertex;
    mat4 p = gl_ProjectionMatrix;
    vec4 clip = p * eye;
    vec4 nearest = p * vec4(eye.xy, eye.z + radius, 1.0);
    centre = eye.xyz;
    gl_FrontColor = gl_Color;
    vec2 x, y;
    if (p[2][3] != 0.0) {
        x = Extent(eye.x, -eye.z, p[0][0], p[2][0]);
        y = Extent(eye.y, -eye.z, p[1][1], p[2][1]);
    } else {
        x = clip.x / clip.w + vec2(-1.0, 1.0) * p[0][0] * radius;
        y = clip.y / clip.w + vec2(-1.0, 1.0) * p[1][1] * radius;
    }
    float size = 0.5 * max((x.y - x.x) * viewport.z, (y.y - y.x) * viewport.w) + 1.0;
    if (nearest.z < -nearest.w || size > maxSize) {
        gl_Position = vec4(0.0, 0.0, 2.0, 1.0);
        gl_PointSize = 1.0;
    } else {
        gl_Position = vec4(0.5 * vec2(x.x + x.y, y.x + y.y) * clip.w, clip.z, clip.w);
        gl_PointSize = size;
    }
}
)";

// The fragment program casts the pixel's ray at the sphere, drops misses,
// and lights the hit as the fixed-function pipeline lights a vertex. The
// ray's eye-space origin and direction are affine in the window position:
// rayOrigin × (1, x, y), rayDirection × (1, x, y).
const char* const kFragmentProgram = R"(#version 120
uniform float radius;
uniform mat3 rayOrigin;
uniform mat3 rayDirection;
varying vec3 centre;

void main() {
    vec3 at = vec3(1.0, gl_FragCoord.xy);
    vec3 origin = rayOrigin * at;
    vec3 dir = normalize(rayDirection * at);
    vec3 toCentre = centre - origin;
    float along = dot(toCentre, dir);
    vec3 off = toCentre - along * dir;
    float inside = radius * radius - dot(off, off);
    if (inside < 0.0) discard;
    float s = sqrt(inside);
    vec3 n = -(off + s * dir) / radius;
    vec3 hit = centre + n * radius;

    vec4 lp = gl_LightSource[0].position;
    vec3 l = normalize(lp.w == 0.0 ? lp.xyz : lp.xyz - hit);
    float diffuse = max(dot(n, l), 0.0);
    float specular = 0.0;
    if (diffuse > 0.0) {
        float nh = max(dot(n, normalize(l + vec3(0.0, 0.0, 1.0))), 0.0);
        specular = gl_FrontMaterial.shininess > 0.0 ? pow(nh, gl_FrontMaterial.shininess) : 1.0;
    }
    vec3 colour = gl_FrontMaterial.emission.rgb
        + (gl_LightModel.ambient.rgb + gl_LightSource[0].ambient.rgb) * gl_Color.rgb
        + diffuse * gl_LightSource[0].diffuse.rgb * gl_Color.rgb
        + specular * gl_LightSource[0].specular.rgb * gl_FrontMaterial.specular.rgb;
    gl_FragColor = vec4(colour, gl_Color.a);

    vec4 hitClip = gl_ProjectionMatrix * vec4(hit, 1.0);
    gl_FragDepth = 0.5 * (gl_DepthRange.diff * hitClip.z / hitClip.w + gl_DepthRange.near + gl_DepthRange.far);
}
)";

using Matrix = std::array<double, 16>;  // column-major, as GL returns it

std::array<double, 4> Times(const Matrix& m, const std::array<double, 4>& v) {
    std::array<double, 4> out{};
    for (size_t r = 0; r < 4; ++r) {
        for (size_t c = 0; c < 4; ++c) out[r] += m[c * 4 + r] * v[c];
    }
    return out;
}

// The ends of the sphere's outline along one screen axis, normalised device
// units; `scale` and `shift` are the projection's entries for that axis.
std::array<double, 2> Extent(double lateral, double depth, double radius, double scale, double shift) {
    const double t = std::sqrt(lateral * lateral + depth * depth - radius * radius);
    return {scale * (t * lateral - radius * depth) / (t * depth + radius * lateral) - shift,
            scale * (t * lateral + radius * depth) / (t * depth - radius * lateral) - shift};
}

// The columns of the fragment program's ray matrices: the eye-space points
// of window point (x, y) on the near plane and at mid-depth are affine in x
// and y for a perspective and a parallel projection alike.
struct RayMatrices {
    std::array<float, 9> origin{};
    std::array<float, 9> direction{};
};

RayMatrices Rays(const Matrix& projection, const std::array<int, 4>& viewport) {
    static const Matrix kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const auto eye = [&](double x, double y, double z) {
        std::array<double, 3> p{};
        gluUnProject(x, y, z, kIdentity.data(), projection.data(), viewport.data(), &p[0], &p[1], &p[2]);
        return p;
    };
    RayMatrices m;
    const std::array<double, 3> near0 = eye(0, 0, 0), mid0 = eye(0, 0, 0.5);
    const std::array<double, 3> nearX = eye(1, 0, 0), midX = eye(1, 0, 0.5);
    const std::array<double, 3> nearY = eye(0, 1, 0), midY = eye(0, 1, 0.5);
    for (size_t i = 0; i < 3; ++i) {
        m.origin[i] = static_cast<float>(near0[i]);
        m.origin[3 + i] = static_cast<float>(nearX[i] - near0[i]);
        m.origin[6 + i] = static_cast<float>(nearY[i] - near0[i]);
        m.direction[i] = static_cast<float>(mid0[i] - near0[i]);
        m.direction[3 + i] = static_cast<float>((midX[i] - nearX[i]) - (mid0[i] - near0[i]));
        m.direction[6 + i] = static_cast<float>((midY[i] - nearY[i]) - (mid0[i] - near0[i]));
    }
    return m;
}

unsigned int CompileShader(QOpenGLFunctions& gl, GLenum type, const char* source) {
    const GLuint shader = gl.glCreateShader(type);
    if (!shader) return 0;
    gl.glShaderSource(shader, 1, &source, nullptr);
    gl.glCompileShader(shader);
    GLint ok = GL_FALSE;
    gl.glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok == GL_TRUE) return shader;
    gl.glDeleteShader(shader);
    return 0;
}

}  // namespace

void NodeImpostors::Reset() {
    tried_ = false;
    program_ = 0;
    nodes_.clear();
}

bool NodeImpostors::Available() {
    if (!tried_) {
        tried_ = true;
        if (!Build()) program_ = 0;
    }
    return program_ != 0 && QOpenGLContext::currentContext();
}

bool NodeImpostors::Build() {
    QOpenGLContext* context = QOpenGLContext::currentContext();
    if (!context || context->isOpenGLES()) return false;
    QOpenGLFunctions& gl = *context->functions();
    if (!gl.hasOpenGLFeature(QOpenGLFunctions::Shaders)) return false;
    const GLuint vertex = CompileShader(gl, GL_VERTEX_SHADER, kVertexProgram);
    const GLuint fragment = CompileShader(gl, GL_FRAGMENT_SHADER, kFragmentProgram);
    const GLuint program = vertex && fragment ? gl.glCreateProgram() : 0;
    if (program) {
        gl.glAttachShader(program, vertex);
        gl.glAttachShader(program, fragment);
        gl.glLinkProgram(program);
    }
    // The program keeps the shaders it was linked from.
    if (vertex) gl.glDeleteShader(vertex);
    if (fragment) gl.glDeleteShader(fragment);
    if (!program) return false;
    GLint linked = GL_FALSE;
    gl.glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        gl.glDeleteProgram(program);
        return false;
    }
    program_ = program;
    radiusUniform_ = gl.glGetUniformLocation(program, "radius");
    viewportUniform_ = gl.glGetUniformLocation(program, "viewport");
    maxSizeUniform_ = gl.glGetUniformLocation(program, "maxSize");
    rayOriginUniform_ = gl.glGetUniformLocation(program, "rayOrigin");
    rayDirectionUniform_ = gl.glGetUniformLocation(program, "rayDirection");
    GLfloat sizes[2] = {1.0f, 1.0f};
    glGetFloatv(GL_ALIASED_POINT_SIZE_RANGE, sizes);
    maxPointSize_ = sizes[1];
    return true;
}

void NodeImpostors::Compile(std::vector<Sphere> spheres) {
    nodes_ = std::move(spheres);
    if (nodes_.empty()) return;
    glBegin(GL_POINTS);
    for (const Node& n : nodes_) {
        glColor4fv(n.colour.data());
        glVertex3d(n.position.x, n.position.y, n.position.z);
    }
    glEnd();
}

void NodeImpostors::Draw(double radius, const View& view, const std::function<void()>& callList) {
    QOpenGLFunctions& gl = *QOpenGLContext::currentContext()->functions();
    const Matrix& m = *view.modelview;
    // The modelview scales uniformly: its first column's length.
    const double eyeRadius = radius * std::sqrt(m[0] * m[0] + m[1] * m[1] + m[2] * m[2]);
    const std::array<int, 4>& vp = *view.viewport;

    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT);
    glEnable(GL_VERTEX_PROGRAM_POINT_SIZE);
    SetNodeSpecular();  // the specular the program reads
    gl.glUseProgram(program_);
    gl.glUniform1f(radiusUniform_, static_cast<float>(eyeRadius));
    gl.glUniform4f(viewportUniform_, static_cast<float>(vp[0]), static_cast<float>(vp[1]), static_cast<float>(vp[2]),
                   static_cast<float>(vp[3]));
    gl.glUniform1f(maxSizeUniform_, maxPointSize_);
    const RayMatrices rays = Rays(*view.projection, vp);
    gl.glUniformMatrix3fv(rayOriginUniform_, 1, GL_FALSE, rays.origin.data());
    gl.glUniformMatrix3fv(rayDirectionUniform_, 1, GL_FALSE, rays.direction.data());
    callList();
    gl.glUseProgram(0);

    GLUquadric* sphere = nullptr;
    for (const Node& n : nodes_) {
        if (!ShowsAsMesh(n, view, eyeRadius)) continue;
        if (!sphere && !(sphere = NewNodeQuadric())) break;
        SetNodeSpecular();
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, n.colour.data());
        DrawNodeSphere(sphere, n.ref, n.position, radius);
    }
    if (sphere) gluDeleteQuadric(sphere);
    glPopAttrib();
}

bool NodeImpostors::ShowsAsMesh(const Node& n, const View& view, double r) const {
    const Matrix& p = *view.projection;
    const std::array<double, 4> eye = Times(*view.modelview, {n.position.x, n.position.y, n.position.z, 1.0});
    const std::array<double, 4> nearest = Times(p, {eye[0], eye[1], eye[2] + r, 1.0});
    const std::array<double, 4> farthest = Times(p, {eye[0], eye[1], eye[2] - r, 1.0});
    if (farthest[3] <= 0.0 || farthest[2] < -farthest[3]) return false;  // wholly before the near plane
    if (nearest[2] < -nearest[3]) return true;                           // through the near plane
    std::array<double, 2> x, y;
    if (p[11] != 0.0) {
        x = Extent(eye[0], -eye[2], r, p[0], p[8]);
        y = Extent(eye[1], -eye[2], r, p[5], p[9]);
    } else {
        const std::array<double, 4> clip = Times(p, eye);
        x = {clip[0] / clip[3] - p[0] * r, clip[0] / clip[3] + p[0] * r};
        y = {clip[1] / clip[3] - p[5] * r, clip[1] / clip[3] + p[5] * r};
    }
    const std::array<int, 4>& vp = *view.viewport;
    const double size = 0.5 * std::max((x[1] - x[0]) * vp[2], (y[1] - y[0]) * vp[3]) + kSpriteMargin;
    if (size > maxPointSize_ - kMeshBelowLargestPoint) return true;
    // Outside the view: nothing to draw. Across its edge: the point, whose
    // centre may lie outside, would vanish whole.
    const auto across = [](const std::array<double, 2>& e) { return e[0] < 1.0 && e[1] > -1.0; };
    const auto within = [](const std::array<double, 2>& e) { return e[0] >= -1.0 && e[1] <= 1.0; };
    if (!across(x) || !across(y)) return false;
    return !within(x) || !within(y);
}
