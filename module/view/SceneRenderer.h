#pragma once
// Draws the editor view's scene with OpenGL 1.1: the grid, the model's
// ridge lines, names, outlines and nodes (kept in display lists 1 to 8), the
// slope faces, the vertex order numbers, the info text and the compass; the
// node spheres as GLSL 1.20 impostors where the context runs them. No
// window code: it draws into whatever context is current, so tests can run
// it offscreen.

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "view/NodeImpostors.h"
#include "view/SceneFrame.h"

// The six compass face images, 64 × 64 RGB rows from the bottom up, in the
// order X-, X+, Y-, Y+, Z+, Z-.
using CompassImages = std::array<std::vector<uint8_t>, 6>;
inline constexpr int kCompassImageSize = 64;

enum DisplayList : unsigned int {
    kListNodes = 1,
    kListRidgeLines = 2,
    kListAxisTags = 3,
    kListLayerNames = 4,
    kListCompass = 5,
    kListSlopeNames = 6,
    kListSlopeOutlines = 7,
    kListMeshNodes = 8
};

class SceneRenderer {
public:
    explicit SceneRenderer(CompassImages compass = {});
    ~SceneRenderer();

    // The GL state of a new context: clear colour, depth function, light 0.
    void Initialise(const DisplaySettings& settings);
    void ApplyClearColour(const DisplaySettings& settings);
    // Viewport and projection for the frame, then the frame set-up (model
    // scale, normals, shading, blending).
    void SetupProjection(const Camera& camera, int width, int height);
    // The same for selection mode, limited to a square of `size` pixels
    // centred on window point (x, y), y down.
    void SetupPickProjection(const Camera& camera, int width, int height, int x, int y, double size);
    // Multiplies the camera's look-at onto the modelview matrix; answers the eye.
    static Vec3d LookAt(Camera& camera);
    // The whole frame; the projection must be set up first.
    void DrawScene(SceneFrame& frame);
    // Deletes display lists 1 to 8 (each only if it exists).
    void DiscardDisplayLists();
    // Deletes one of them; other numbers are ignored.
    void DiscardDisplayList(unsigned int list);

    // Nodes as sphere impostors where the context runs their program (the
    // default), or all as meshes; the node list is built again on a change.
    void SetNodeImpostors(bool on);

    // Slope faces, each pushed with the names 2 and its shape id.
    void DrawSlopeFaces(SceneFrame& frame, bool pickMode);

    // The matrices and viewport of the last frame (for picking and panning).
    const std::array<int, 4>& Viewport() const { return viewport_; }
    const std::array<double, 16>& Modelview() const { return modelview_; }
    const std::array<double, 16>& Projection() const { return projection_; }

private:
    // pickRegion: x, y (y down) and size of a pick region, or null.
    void SetupProjection(const Camera& camera, int width, int height, const double* pickRegion);
    void CallList(unsigned int list, const std::function<void()>& draw);
    void DrawGrid(const DisplaySettings& settings);
    void DrawNodeLayer(const SceneFrame& frame);
    // Mesh mode's node spheres (list 8), as impostors too.
    void DrawMeshNodeLayer(const SceneFrame& frame);
    void DrawVertexNumbers(const SceneFrame& frame);
    // The edge or the slope a refused definition failed on, in orange.
    void DrawRefusal(const SceneFrame& frame);
    void DrawInfoText(const SceneFrame& frame);
    void DrawCompass();
    void MakeCompassTextures();

    CompassImages compass_;
    NodeImpostors impostors_;
    NodeImpostors meshImpostors_;
    bool nodeImpostors_ = true;
    std::array<unsigned int, 6> compassTextures_{};
    std::array<bool, 9> built_{};
    std::array<int, 4> viewport_{};
    std::array<double, 16> modelview_{};
    std::array<double, 16> projection_{};
};
