// What the scene renderer draws, read back pixel by pixel from an offscreen
// framebuffer, on small projects made through the model library.

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <QColor>

#include "OffscreenGl.h"
#include "ProfileFile.h"
#include "TempDir.h"
#include "TestBuilding.h"
#include "model/SlopeShapeList.h"
#include "model/ModelDbLibrary.h"
#include "settings/DisplaySettingsFile.h"
#include "view/QtLabelRasterizer.h"
#include "view/SceneRenderer.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

// A project open for both the test's writes and the editor's entries.
class SceneRenderTest : public testing::Test {
protected:
    void SetUp() override {
        const char* bin = std::getenv("TORMEL_BIN_DIR");
        ASSERT_NE(bin, nullptr);
        ASSERT_TRUE(ModelDbLibrary::Instance().LoadFrom(bin));
        ASSERT_TRUE(gl.Ok()) << "no OpenGL context";
        camera.target = Vec3d(0, 0, 0);
        camera.distance = 5000.0f;
        for (int i = 1; i <= 9; ++i) items[static_cast<size_t>(i)] = false;
    }
    void TearDown() override {
        teva_close();
        ModelDbLibrary::Instance().Unload();
    }

    // One storey with two axes crossing at the origin: one node there.
    void OneNode() {
        ASSERT_EQ(teva_create(dir.File("one.teva").c_str(), "one node"), 0);
        ASSERT_EQ(teva_add_storey("1F", 0), 1);
        ASSERT_GT(modeldbtest::addAxis("X1", 0, -1000, 0, 1000), 0);
        ASSERT_GT(modeldbtest::addAxis("Y1", -1000, 0, 1000, 0), 0);
        ASSERT_EQ(DB_restruct(0), 0);
    }

    QImage Render() {
        SceneRenderer renderer(compass);
        renderer.Initialise(settings);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        glEnable(GL_BLEND);
        SceneFrame frame;
        frame.camera = &camera;
        frame.settings = &settings;
        frame.shapes = &shapes;
        frame.picked = &picked;
        frame.lastPicked = lastPicked;
        frame.hiddenAxes = &hiddenAxes;
        frame.hiddenLayers = &hiddenLayers;
        frame.range = &range;
        frame.items = items;
        frame.width = kWidth;
        frame.height = kHeight;
        frame.labels = &labels;
        renderer.SetupProjection(camera, kWidth, kHeight);
        renderer.DrawScene(frame);
        glFinish();
        QImage image = gl.Image();
        renderer.DiscardDisplayLists();
        return image;
    }

    static QColor At(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)); }

    OffscreenGl gl{kWidth, kHeight};
    modeldbtest::TempDir dir;
    DisplaySettings settings;  // the initial values: no settings file
    Camera camera;
    SlopeShapeList shapes;
    std::vector<NodeRef> picked;
    std::optional<NodeRef> lastPicked;
    std::set<int32_t> hiddenAxes;
    std::set<LayerCode> hiddenLayers;
    EffectiveRange range;
    std::array<bool, 10> items{};
    CompassImages compass;
    QtLabelRasterizer labels;
};

void ExpectNear(const QColor& got, int r, int g, int b, int tolerance, const char* what) {
    EXPECT_NEAR(got.red(), r, tolerance) << what;
    EXPECT_NEAR(got.green(), g, tolerance) << what;
    EXPECT_NEAR(got.blue(), b, tolerance) << what;
}

// A lit node facing the viewer: global ambient 0.2 and the head-on light
// give 1.2 × the material colour, plus the 0.1 specular.
int Lit(int channel) { return std::min(255, static_cast<int>(1.2 * channel + 0.1 * 255)); }

TEST_F(SceneRenderTest, BlackBackgroundAndANodeLitInTheNodeColour) {
    OneNode();
    items[display_items::kNodes] = true;
    QImage image = Render();
    ExpectNear(At(image, 3, 3), 0, 0, 0, 0, "background");
    ExpectNear(At(image, kWidth / 2, kHeight / 2), Lit(80), Lit(100), Lit(200), 16, "node");
}

TEST_F(SceneRenderTest, PickedNodeInTheRotatedColour) {
    OneNode();
    items[display_items::kNodes] = true;
    picked.push_back({1, 1});
    QImage image = Render();
    ExpectNear(At(image, kWidth / 2, kHeight / 2), Lit(200), Lit(80), Lit(100), 16, "picked node");
}

TEST_F(SceneRenderTest, BackgroundColourFromTheSettingsFile) {
    OneNode();
    const std::string ini = dir.File("Vorna3D.ini");
    ASSERT_TRUE(platform::WriteProfileString(ini, "Color", "BGACOLOR", "255"));
    ViewPreferences view;
    LoadDisplaySettings(settings, view, ini);
    QImage image = Render();
    ExpectNear(At(image, 3, 3), 255, 0, 0, 0, "red background");
    EXPECT_EQ(settings.nodeColour, Rgb(80, 100, 200)) << "every other value stays";
}

// The bounding box of the pixels that differ from the background.
QRect Drawn(const QImage& image) {
    const QRgb background = image.pixel(0, 0);
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

TEST_F(SceneRenderTest, GridCountZeroDrawsOneLine) {
    OneNode();
    items[display_items::kGrid] = true;
    settings.gridCountX = 0;
    settings.gridCountY = 10;
    // Seen from above ("Z+"), in parallel projection, the whole grid in view.
    camera.azimuth = 270.0f;
    camera.elevation = 90.0000991821289f;
    camera.parallel = true;
    camera.parallelScale = 0.0002;
    camera.target = Vec3d(0, 5000, 0);
    const QRect oneLine = Drawn(Render());
    EXPECT_LE(oneLine.width(), 3);
    EXPECT_GT(oneLine.height(), 100);
    settings.gridCountX = 10;
    const QRect full = Drawn(Render());
    EXPECT_GT(full.width(), 100);
}

TEST_F(SceneRenderTest, EveryItemOffLeavesOnlyTheSlopeFaces) {
    ASSERT_TRUE(modeldbtest::makeGridBuilding(dir.File("grid.teva")));
    modeldbtest::SlopeSpec spec;
    spec.edges = {"Y1", "X2", "Y2", "X1"};
    spec.bottom = "Y1";
    spec.top = "Y2";
    ASSERT_GT(modeldbtest::addSlope(spec), 0);
    ASSERT_EQ(DB_restruct(0), 0);
    shapes.BuildShapesFromModel();
    ASSERT_EQ(shapes.Size(), 1u);
    camera.target = Vec3d(3000, 2500, 1500);
    camera.distance = 20000.0f;
    camera.azimuth = -120.0f;
    camera.elevation = 30.0f;

    QImage faces = Render();
    int drawn = 0, bright = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const QColor c = At(faces, x, y);
            if (c != QColor(0, 0, 0)) ++drawn;
            if (std::max({c.red(), c.green(), c.blue()}) > 130) ++bright;
        }
    }
    EXPECT_GT(drawn, 500) << "the slope face is drawn";
    EXPECT_EQ(bright, 0) << "nothing but the half-strength face colours";

    for (int i = 2; i <= 9; ++i) items[static_cast<size_t>(i)] = true;
    QImage everything = Render();
    int brightWithItems = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const QColor c = At(everything, x, y);
            if (std::max({c.red(), c.green(), c.blue()}) > 130) ++brightWithItems;
        }
    }
    EXPECT_GT(brightWithItems, 100) << "nodes, lines and names show with the items on";
}

TEST_F(SceneRenderTest, CompassShowsXPlusFromAzimuthAndElevationZero) {
    OneNode();
    items[display_items::kCompass] = true;
    // Each face a colour of its own: X+ green.
    const QRgb colours[6] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                             qRgb(255, 255, 0), qRgb(255, 0, 255), qRgb(0, 255, 255)};
    for (size_t i = 0; i < 6; ++i) {
        compass[i].resize(kCompassImageSize * kCompassImageSize * 3);
        for (size_t p = 0; p < compass[i].size(); p += 3) {
            compass[i][p] = static_cast<uint8_t>(qRed(colours[i]));
            compass[i][p + 1] = static_cast<uint8_t>(qGreen(colours[i]));
            compass[i][p + 2] = static_cast<uint8_t>(qBlue(colours[i]));
        }
    }
    camera.azimuth = 0.0f;
    camera.elevation = 0.0f;
    QImage image = Render();
    // Modulated by the compass colour (0.2, 1, 1).
    ExpectNear(At(image, kWidth - 50, 50), 0, 255, 0, 4, "X+ face");
    camera.azimuth = 90.0f;
    image = Render();
    ExpectNear(At(image, kWidth - 50, 50), 51, 255, 0, 4, "Y+ face from azimuth 90");
}

}  // namespace
