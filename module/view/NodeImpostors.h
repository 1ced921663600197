#pragma once
// Node spheres drawn as lit, ray-cast impostors: one point sprite per node,
// sized to the sphere's projected outline, whose fragment program intersects
// each pixel's ray with the sphere, lights the hit with the fixed-function
// formula of light 0 and writes the hit's depth. A software rasteriser fills
// a few sprite pixels far faster than the facets of thousands of spheres.
//
// Points have a largest size (255 pixels on llvmpipe) and vanish whole once
// their centre leaves the view, so spheres large on screen, near the edge of
// the view or through the near plane are drawn as meshes instead. Picking
// still draws the meshes: only the display changes.

#include <array>
#include <functional>
#include <vector>

#include "view/SceneFrame.h"

class NodeImpostors {
public:
    // The matrices and viewport of the frame, as GL returns them.
    struct View {
        const std::array<double, 16>* modelview;
        const std::array<double, 16>* projection;
        const std::array<int, 4>* viewport;
    };

    // Forgets the program of an earlier context (a new context starts).
    void Reset();
    // Builds the program on first use in the current context; false when
    // the context cannot run it (the meshes are drawn instead).
    bool Available();
    struct Sphere {
        Vec3d position;
        std::array<float, 4> colour{};  // ambient and diffuse
        NodeRef ref;                     // its pick names, when a node's
    };

    // Spheres of `radius` (model units): `callList` runs the list holding
    // them, which, when it must be built, calls Compile. Points first, then
    // the meshes.
    void Draw(double radius, const View& view, const std::function<void()>& callList);
    // Records the spheres and compiles them, as coloured points, into the
    // list being built.
    void Compile(std::vector<Sphere> spheres);

private:
    using Node = Sphere;
    bool ShowsAsMesh(const Node& node, const View& view, double eyeRadius) const;
    bool Build();

    bool tried_ = false;
    unsigned int program_ = 0;
    int radiusUniform_ = -1;
    int viewportUniform_ = -1;
    int maxSizeUniform_ = -1;
    int rayOriginUniform_ = -1;
    int rayDirectionUniform_ = -1;
    float maxPointSize_ = 1.0f;
    // What the node list holds, for the meshes.
    std::vector<Node> nodes_;
};
