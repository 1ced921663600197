// The editor view window on the demo building: keys, wheel and mouse driven
// as a user would, and what ends up on screen.

#include <gtest/gtest.h>

#include <GL/glu.h>

#include <filesystem>

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include "DemoViewFixture.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "TestBuilding.h"
#include "model/ModelQueries.h"
#include "model/ModelDbLibrary.h"
#include "view/SlopeEditorView.h"

namespace {

using testing_support::RunProcess;

class EditorViewTest : public DemoViewFixture {
protected:
    void Wheel(int delta, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
        const QPointF at(200, 150);
        QWheelEvent wheel(at, view->mapToGlobal(at), QPoint(), QPoint(0, delta), buttons, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.get(), &wheel);
    }
    void MoveWith(Qt::MouseButton button, QPoint from, QPoint to) {
        QTest::mousePress(view.get(), button, {}, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), view->mapToGlobal(QPointF(to)), Qt::NoButton, button,
                         Qt::NoModifier);
        QApplication::sendEvent(view.get(), &move);
        QTest::mouseRelease(view.get(), button, {}, to);
    }

};

TEST_F(EditorViewTest, StartCameraLooksAtTheBuilding) {
    Camera& c = view->ViewCamera();
    EXPECT_FLOAT_EQ(c.azimuth, 240.0f) << "-120 wrapped";
    EXPECT_FLOAT_EQ(c.elevation, 15.0f);
    EXPECT_GE(c.distance, 1500.0f);
    EXPECT_GT(view->Shapes().Size(), 1u) << "the demo's registered slopes";
    // The popup menus are made with the window.
    ASSERT_FALSE(view->Menus().outline.empty());
    EXPECT_EQ(view->Menus().outline.front().id, 32773);
    EXPECT_EQ(view->Menus().background.size(), 3u);
}

TEST_F(EditorViewTest, KeyOWithNothingPickedLeavesTheTarget) {
    const Vec3d before = view->ViewCamera().target;
    QTest::keyClick(view.get(), Qt::Key_O);
    EXPECT_EQ(view->ViewCamera().target, before);
}

TEST_F(EditorViewTest, KeyOCentresOnThePickedNodes) {
    view->PickedNodes() = {{1, 1}, {1, 2}};
    QTest::keyClick(view.get(), Qt::Key_O);
    const Vec3d a = *NodePositionOnLayer(1, 1), b = *NodePositionOnLayer(1, 2);
    EXPECT_NEAR(view->ViewCamera().target.x, (a.x + b.x) / 2, 1e-6);
    EXPECT_NEAR(view->ViewCamera().target.y, (a.y + b.y) / 2, 1e-6);
}

TEST_F(EditorViewTest, KeyCFitsTheDemoBuilding) {
    view->ViewCamera().target = Vec3d(1e6, 1e6, 0);
    QTest::keyClick(view.get(), Qt::Key_C);
    view->grabFramebuffer();
    const Camera& c = view->ViewCamera();
    EXPECT_FLOAT_EQ(c.azimuth, 250.0f) << "-110 wrapped";
    EXPECT_FLOAT_EQ(c.elevation, 15.0f);
    // The target is the middle of the building: its plan extent, from the
    // first storey's floor to the top storey's.
    float maxX, maxY, minX, minY;
    ASSERT_EQ(Db().sp_GetMaxMinCord(0, &maxX, &maxY, &minX, &minY), 0);
    const int top = Db().sp_GetMaxSeqLay();
    const double low = CrossingPosition(1, 1)->z, high = CrossingPosition(top, 1)->z;
    EXPECT_NEAR(c.target.x, (minX + maxX) / 2.0, 1.0);
    EXPECT_NEAR(c.target.y, (minY + maxY) / 2.0, 1.0);
    EXPECT_NEAR(c.target.z, (low + high) / 2.0, 1.0);
    const double halfDiagonal = Length(Vec3d(maxX - minX, maxY - minY, high - low)) / 2.0;
    EXPECT_NEAR(c.distance, 2.0 * halfDiagonal, 1.0);
    // Nearly every node of every storey is in view.
    const SceneRenderer& r = view->Renderer();
    int nodes = 0, inView = 0;
    for (int storey = 1; storey <= top; ++storey) {
        for (int node = 1; node <= Db().sp_GetMaxNode(storey); ++node) {
            auto p = NodePositionOnLayer(storey, node);
            ASSERT_TRUE(p);
            double x, y, z;
            gluProject(p->x, p->y, p->z, r.Modelview().data(), r.Projection().data(), r.Viewport().data(), &x, &y, &z);
            ++nodes;
            if (x >= 0 && x <= r.Viewport()[2] && y >= 0 && y <= r.Viewport()[3]) ++inView;
        }
    }
    EXPECT_GT(nodes, 40);
    EXPECT_GE(inView * 10, nodes * 9);
}

TEST_F(EditorViewTest, ShiftWithTheLeftButtonHeldZoomsRatherThanDollies) {
    Camera& c = view->ViewCamera();
    c.distance = 20000.0f;
    const Vec3d target = c.target;
    Wheel(120, Qt::ShiftModifier, Qt::LeftButton);
    EXPECT_EQ(c.target, target);
    EXPECT_FLOAT_EQ(c.distance, 18800.0f);
    Wheel(120, Qt::ShiftModifier, Qt::NoButton);
    EXPECT_FLOAT_EQ(c.distance, 18800.0f) << "Shift alone dollies";
    EXPECT_GT(Length(c.target - target), 1199.0);
}

TEST_F(EditorViewTest, MiddleDragOf720PixelsBringsTheAzimuthBack) {
    Camera& c = view->ViewCamera();
    const float start = c.azimuth;
    for (int i = 0; i < 4; ++i) {
        MoveWith(Qt::MiddleButton, QPoint(10, 100), QPoint(190, 100));
        view->grabFramebuffer();
    }
    EXPECT_NEAR(std::fmod(c.azimuth + 720.0, 360.0), start, 1e-3);
}

TEST_F(EditorViewTest, LeftDragPansWithoutTurning) {
    Camera& c = view->ViewCamera();
    const Vec3d before = c.target;
    const float azimuth = c.azimuth;
    MoveWith(Qt::LeftButton, QPoint(100, 100), QPoint(150, 100));
    EXPECT_GT(Length(c.target - before), 1.0);
    EXPECT_FLOAT_EQ(c.azimuth, azimuth);
}

// Pixels of a frame that are not the background.
int DrawnPixels(const QImage& frame) {
    const QRgb background = frame.pixel(0, frame.height() - 1);
    int drawn = 0;
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) drawn += frame.pixel(x, y) != background;
    }
    return drawn;
}

TEST_F(EditorViewTest, KeyXTakesTheNodesAndRidgeLinesAwayAtOnce) {
    const int before = DrawnPixels(view->grabFramebuffer());
    QTest::keyClick(view.get(), Qt::Key_X);
    const int after = DrawnPixels(view->grabFramebuffer());
    EXPECT_LT(after * 10, before * 8) << "the cached lists still drew the hidden axes";
}

// The outline's shape goes with key E, and with it the selection the frame
// reads (under the sanitizer build a dangling one is a use-after-free).
TEST_F(EditorViewTest, KeyEDropsTheSelectedOutline) {
    const std::vector<Vec3d> corners = {{0, 0, 0}, {6000, 0, 0}, {6000, 6000, 0}};
    const std::vector<NodeRef> nodes = {{1, 1}, {1, 2}, {1, 3}};
    const int index = view->Shapes().AddShape(corners, nodes, ShapeKind::Outline, 0);
    ASSERT_GE(index, 0);
    view->SetSelectedShape(&view->Shapes().At(static_cast<size_t>(index)));
    ASSERT_NE(view->SelectedShape(), nullptr);
    QTest::keyClick(view.get(), Qt::Key_E);
    EXPECT_EQ(view->SelectedShape(), nullptr);
    view->grabFramebuffer();
}

TEST_F(EditorViewTest, PanWithASingularMatrixLeavesTheTarget) {
    Camera& c = view->ViewCamera();
    c.distance = 0.0f;
    view->grabFramebuffer();  // a frame with the singular matrices
    const Vec3d before = c.target;
    MoveWith(Qt::LeftButton, QPoint(100, 100), QPoint(150, 120));
    EXPECT_EQ(c.target, before);
}

// A range selector noticing its change during a paint discards the lists;
// the frame must still be drawn in the same context.
TEST_F(EditorViewTest, ListsDiscardedDuringAPaintStillGiveTheFrame) {
    struct DiscardingRange : PlacementAccess {
        SessionContext* context = nullptr;
        bool RangeShown() const override {
            if (context->view) context->view->DiscardDisplayLists();
            return false;
        }
        int32_t SelectionCode(RangeSelection) const override { return 0; }
        void RefillKeepingChoices() override {}
    } range;
    const QImage plain = view->grabFramebuffer();
    range.context = &context;
    context.placement = &range;
    const QImage discarding = view->grabFramebuffer();
    context.placement = nullptr;
    EXPECT_EQ(discarding, plain);
    EXPECT_GT(DrawnPixels(discarding), 1000);
}

TEST_F(EditorViewTest, KeyXHidesEveryAxisAndZShowsThemAgain) {
    QTest::keyClick(view.get(), Qt::Key_X);
    EXPECT_EQ(static_cast<int>(view->HiddenAxes().size()), Db().sp_GetMaxLin(0));
    view->HiddenLayers().insert(1);
    QTest::keyClick(view.get(), Qt::Key_Z);
    EXPECT_TRUE(view->HiddenAxes().empty());
    EXPECT_TRUE(view->HiddenLayers().empty());
}

// A settings file that cannot be read is said once when the view is made,
// kept as it is, and the view draws with the defaults.
TEST_F(EditorViewTest, UnreadableSettingsFileIsReportedAndKept) {
    const std::string ini = dir.File("Vorna3D.ini");
    ASSERT_TRUE(testing_support::MakeDirectories(ini));  // a folder where the file should be
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope(dialogs);
    view = std::make_unique<SlopeEditorView>(context, nullptr, ini);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    EXPECT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(view->Settings().nodeSize, DisplaySettings{}.nodeSize);
    view->ReloadDisplaySettings();
    EXPECT_EQ(dialogs.Messages().size(), 1u) << "said once";
    view.reset();
    EXPECT_TRUE(std::filesystem::is_directory(ini)) << "kept";
}

TEST_F(EditorViewTest, CameraSavedOnCloseWhenInherited) {
    const std::string ini = dir.File("Vorna3D.ini");
    ASSERT_TRUE(testing_support::WriteFile(ini, "[Camera]\nRePos=1\n"));
    view = std::make_unique<SlopeEditorView>(context, nullptr, ini);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    view->ViewCamera().distance = 12345.67f;
    view->ViewCamera().parallel = true;
    view.reset();
    const std::string text = testing_support::ReadFile(ini);
    EXPECT_NE(text.find("cZ=12345.7"), std::string::npos) << text;
    EXPECT_NE(text.find("TOUEI=1"), std::string::npos) << text;
}

}  // namespace
