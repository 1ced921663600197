// Node spheres drawn as impostors against the same frame drawn with sphere
// meshes, read back from an offscreen framebuffer on real projects.

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <QColor>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "OffscreenGl.h"
#include "TempDir.h"
#include "model/ModelDbLibrary.h"
#include "model/SceneContent.h"
#include "model/SlopeShapeList.h"
#include "tevalib.h"
#include "view/CameraFit.h"
#include "view/CompassFaces.h"
#include "view/QtLabelRasterizer.h"
#include "view/SceneRenderer.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
// Channels may differ this much where the impostor is lit per pixel and the
// mesh per vertex.
constexpr int kTolerance = 24;

struct Frame {
    QImage image;
    std::vector<QPoint> nodeCentres;  // window pixels, y down, in VisibleNodes order
};

int Difference(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// A node facing the light: global ambient 0.2, the head-on light and the
// 0.1 specular.
QRgb Lit(int r, int g, int b) {
    const auto lit = [](int c) { return std::min(255, static_cast<int>(1.2 * c + 0.1 * 255)); };
    return qRgb(lit(r), lit(g), lit(b));
}

// Whether a neighbour of the pixel differs from it: another sphere's
// outline (a polygon in the mesh drawing) or a line passes there.
bool OnAnOutline(const QImage& image, QPoint at) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint p = at + QPoint(dx, dy);
            if (!image.rect().contains(p) || Difference(image.pixel(p), image.pixel(at)) > kTolerance) return true;
        }
    }
    return false;
}

class NodeImpostorTest : public testing::Test {
protected:
    void TearDown() override {
        teva_close();
        ModelDbLibrary::Instance().Unload();
    }
    void Open(const std::vector<std::string>& teva) {
        std::vector<std::string> arguments = teva;
        const std::string project = dir.File("nodes" + std::to_string(++projects) + ".tvp");
        arguments.push_back(project);
        ASSERT_EQ(testing_support::RunProcess(testing_support::BinDir() + "/teva", arguments).exitCode, 0);
        ASSERT_EQ(teva_open(project.c_str()), 0) << teva_last_error();
        ASSERT_TRUE(ModelDbLibrary::Instance().LoadFrom(testing_support::BinDir()));
        ASSERT_TRUE(gl.Ok()) << "no OpenGL context";
        shapes.BuildShapesFromModel();
    }
    Frame Render(bool impostors) {
        SceneRenderer renderer(MakeCompassImages());
        renderer.Initialise(settings);
        renderer.SetNodeImpostors(impostors);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        glEnable(GL_BLEND);
        SceneFrame frame;
        frame.camera = &camera;
        frame.settings = &settings;
        frame.shapes = &shapes;
        frame.picked = &picked;
        frame.hiddenAxes = &hiddenAxes;
        frame.hiddenLayers = &hiddenLayers;
        frame.range = &range;
        for (int i = 1; i <= display_items::kCount; ++i)
            frame.items[static_cast<size_t>(i)] = display_items::DefaultOn(i);
        frame.width = kWidth;
        frame.height = kHeight;
        frame.labels = &labels;
        renderer.SetupProjection(camera, kWidth, kHeight);
        renderer.DrawScene(frame);
        glFinish();
        Frame result{gl.Image(), {}};
        for (const SceneNode& n : VisibleNodes({})) {
            double x, y, z;
            gluProject(n.position.x, n.position.y, n.position.z, renderer.Modelview().data(),
                       renderer.Projection().data(), renderer.Viewport().data(), &x, &y, &z);
            result.nodeCentres.emplace_back(static_cast<int>(x), kHeight - 1 - static_cast<int>(y));
        }
        renderer.DiscardDisplayLists();
        return result;
    }

    testing_support::TempDir dir;
    int projects = 0;
    OffscreenGl gl{kWidth, kHeight};
    DisplaySettings settings;
    Camera camera;
    SlopeShapeList shapes;
    std::vector<NodeRef> picked;
    std::set<int32_t> hiddenAxes;
    std::set<LayerCode> hiddenLayers;
    EffectiveRange range;
    QtLabelRasterizer labels;
};

TEST_F(NodeImpostorTest, ImpostorsDrawTheSpheresOfTheMeshes) {
    const std::vector<std::string> grid4x4x3 = {
        "new", "--storeys", "1F:0,2F:3500,3F:7000", "--x", "X1:0,X2:6000,X3:12000,X4:18000", "--y",
        "Y1:0,Y2:6000,Y3:12000,Y4:18000"};
    struct Case {
        const char* name;
        std::vector<std::string> teva;
        std::function<void(Camera&, DisplaySettings&)> view;
    };
    const Case cases[] = {
        {"demo, start camera", {"demo"}, [](Camera& c, DisplaySettings&) { StartCamera(c); }},
        {"4 x 4 x 3, start camera", grid4x4x3, [](Camera& c, DisplaySettings&) { StartCamera(c); }},
        {"demo, parallel",
         {"demo"},
         [](Camera& c, DisplaySettings&) {
             StartCamera(c);
             c.parallel = true;
         }},
        // Spheres beyond the largest point: meshes.
        {"4 x 4 x 3, close to a node", grid4x4x3,
         [](Camera& c, DisplaySettings& s) {
             StartCamera(c);
             c.target = Vec3d(6000, 6000, 3500);
             c.distance = 2500.0f;
             s.nodeSize = 400;
         }},
    };
    int plainSeen = 0, pickedSeen = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open(c.teva);
        if (HasFatalFailure()) return;
        c.view(camera, settings);
        const std::vector<SceneNode> nodes = VisibleNodes({});
        picked.clear();
        for (size_t i = 0; i < nodes.size(); i += 3) picked.push_back(nodes[i].ref);

        const Frame meshes = Render(false), impostors = Render(true);
        int differing = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x)
                differing += Difference(meshes.image.pixel(x, y), impostors.image.pixel(x, y)) > kTolerance;
        }
        EXPECT_LE(differing, kWidth * kHeight / 100);

        // Node centres the mesh drawing shows in a node colour, plain or
        // picked, away from any outline, show the same colour.
        const QRgb plain = Lit(80, 100, 200), pickedColour = Lit(200, 80, 100);
        for (size_t i = 0; i < nodes.size(); ++i) {
            const QPoint at = meshes.nodeCentres[i];
            if (!meshes.image.rect().contains(at)) continue;
            const QRgb expected = meshes.image.pixel(at), got = impostors.image.pixel(at);
            const bool isPicked = i % 3 == 0;
            if (Difference(expected, isPicked ? pickedColour : plain) > 2 * kTolerance || OnAnOutline(meshes.image, at))
                continue;
            (isPicked ? pickedSeen : plainSeen)++;
            EXPECT_LE(Difference(got, expected), kTolerance) << "node " << i << " at " << at.x() << "," << at.y();
        }
        teva_close();
        ModelDbLibrary::Instance().Unload();
        settings = DisplaySettings();
        camera = Camera();
    }
    EXPECT_GT(plainSeen, 10);
    EXPECT_GT(pickedSeen, 5);
}

}  // namespace
