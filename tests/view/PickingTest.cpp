// Clicks on the real editor view over the demo building: what each click
// picks, toggles and opens, through real mouse events.

#include <gtest/gtest.h>

#include <GL/glu.h>

#include <QApplication>

#include <algorithm>
#include <cstdlib>
#include <array>
#include <nlohmann/json.hpp>
#include <set>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "QtDialogs.h"
#include "ScriptedDialogs.h"
#include "DemoViewFixture.h"
#include "TempDir.h"
#include "TestBuilding.h"
#include "model/ModelDbLibrary.h"
#include "model/ModelQueries.h"
#include "model/SceneContent.h"
#include "panels/DefineSlopePanel.h"
#include "panels/SlopeDefinitionDialog.h"
#include "view/ScenePicker.h"
#include "view/SlopeEditorView.h"

namespace {

using testing_support::RunProcess;

class PickingTest : public DemoViewFixture {
protected:
    // Clicks the four corners of a ramp from 1F (X2-X3 on Y1) up to 2F (on
    // Y2), from a camera that shows each corner as the node nearest the eye.
    void ClickRampCorners() {
        const LayerCode f1 = DB_Usfind(TEVA_NAME_STOREY, "1F"), f2 = DB_Usfind(TEVA_NAME_STOREY, "2F");
        const auto node = [](LayerCode layer, const char* a, const char* b) {
            const int axisA = Db().sp_wno(DB_Usfind(TEVA_NAME_AXIS, a));
            const int axisB = Db().sp_wno(DB_Usfind(TEVA_NAME_AXIS, b));
            return NodeRef{layer, Db().sp_nno(layer, Db().sp_xnow(axisA, axisB))};
        };
        const NodeRef corners[] = {node(f1, "X2", "Y1"), node(f1, "X3", "Y1"), node(f2, "X3", "Y2"),
                                   node(f2, "X2", "Y2")};
        Camera& camera = view->ViewCamera();
        std::vector<QPoint> at;
        for (float azimuth : {240.0f, 300.0f, 260.0f, 200.0f}) {
            camera.azimuth = azimuth;
            view->grabFramebuffer();
            at.clear();
            for (const NodeRef& c : corners) {
                const QPoint p = ToWindow(*NodePositionOnLayer(c.layer, c.node));
                if (view->NodeAt(p.x(), p.y()) == c) at.push_back(p);
            }
            if (at.size() == std::size(corners)) break;
        }
        ASSERT_EQ(at.size(), std::size(corners)) << "no camera shows all four corners";
        for (const QPoint& p : at) Click(Qt::LeftButton, p);
    }
    // The slope `name` as `teva dump --json` reads it from the file.
    nlohmann::json DumpedSlope(const char* name) {
        const auto json = Dump();
        for (const auto& slope : json["slopes"]) {
            if (slope["name"] == name) return slope;
        }
        return {};
    }
    static void ExpectTheRamp(const nlohmann::json& slope) {
        ASSERT_FALSE(slope.is_null()) << "the slope is not in the file";
        std::set<std::array<double, 3>> positions;
        for (const auto& corner : slope["corners"]) positions.insert(corner["position"].get<std::array<double, 3>>());
        EXPECT_EQ(positions, (std::set<std::array<double, 3>>{
                                 {6000, 0, 0}, {12000, 0, 0}, {12000, 6000, 3500}, {6000, 6000, 3500}}));
        EXPECT_NEAR(slope["plane"]["a"].get<double>(), 0.0, 1e-9);
        EXPECT_NEAR(slope["plane"]["b"].get<double>(), 3500.0 / 6000.0, 1e-6) << "rises 3500 over 6000 mm";
        EXPECT_NEAR(slope["plane"]["c"].get<double>(), 0.0, 1e-6);
    }
    // With TORMEL_SCREENSHOT_DIR set, the view as it is now, for the guide.
    void SaveScreenshot(const char* name, QWidget* window = nullptr) {
        const char* folder = std::getenv("TORMEL_SCREENSHOT_DIR");
        if (!folder) return;
        const QString path = QString::fromUtf8(folder) + "/" + name;
        if (window) window->grab().save(path);
        else view->grabFramebuffer().save(path);
    }
    // A layer name label that lies over a slope face.
    std::optional<SceneLabel> LayerLabelOverASlope() {
        for (const SceneLabel& label : LayerNameLabels({})) {
            const QPoint at = ToWindow(label.anchor);
            if (view->PickSlope(at.x(), at.y(), true) && view->SelectedShape()) return label;
        }
        return std::nullopt;
    }

};

TEST_F(PickingTest, AClickIsAReleaseLessThanFivePixelsFromThePress) {
    const SceneLabel label = LayerNameLabels({}).at(1);  // 2F
    const LayerCode layer = Db().sp_cpno(label.code);
    const QPoint at = ToWindow(label.anchor);
    struct Case {
        QPoint move;
        bool toggles;
    };
    const Case cases[] = {{{4, 0}, true}, {{0, -4}, true}, {{5, 0}, false}, {{0, 5}, false}, {{-5, -5}, false}};
    for (const Case& c : cases) {
        view->HiddenLayers().clear();
        Click(Qt::LeftButton, at, c.move);
        EXPECT_EQ(view->HiddenLayers().count(layer) == 1, c.toggles) << c.move.x() << "," << c.move.y();
    }
    // The right button under the same rule: empty space opens the background menu.
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope(dialogs);
    Click(Qt::RightButton, QPoint(5, 5), QPoint(4, 4));
    Click(Qt::RightButton, QPoint(5, 5), QPoint(5, 0));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "選択節点のクリア|全節点を表示|全節点を非表示");
}

TEST_F(PickingTest, ALayerLabelOverASlopeTogglesTheLayerNotTheSlope) {
    const auto label = LayerLabelOverASlope();
    ASSERT_TRUE(label) << "no layer label lies over a roof from the start camera";
    const QPoint at = ToWindow(label->anchor);
    Click(Qt::LeftButton, at);
    EXPECT_EQ(view->HiddenLayers().count(Db().sp_cpno(label->code)), 1u);
    EXPECT_EQ(view->SelectedShape(), nullptr);
    Click(Qt::LeftButton, at);
    EXPECT_TRUE(view->HiddenLayers().empty()) << "a second click shows it again";
}

TEST_F(PickingTest, WithNodesOffAClickOnANodeSelectsTheSlopeBehindIt) {
    // A node of storey RF under the south roof, seen through it.
    const LayerCode rf = DB_Usfind(TEVA_NAME_STOREY, "RF");
    const auto nodes = VisibleNodes({});
    std::optional<QPoint> at;
    for (const SceneNode& n : nodes) {
        // Away from the layer names, which stand by the first crossing.
        if (n.ref.layer != rf || Length(Vec3d(n.position.x, n.position.y, 0)) < 3000) continue;
        const QPoint p = ToWindow(n.position);
        if (view->NodeAt(p.x(), p.y()) && view->PickSlope(p.x(), p.y(), true) && view->SelectedShape()) {
            at = p;
            break;
        }
    }
    ASSERT_TRUE(at);
    items.nodes = false;
    Click(Qt::LeftButton, *at);
    EXPECT_TRUE(view->PickedNodes().empty());
    ASSERT_NE(view->SelectedShape(), nullptr) << "the slope behind the node";
    EXPECT_EQ(view->SelectedShape()->kind, ShapeKind::Registered);
    items.nodes = true;
    Click(Qt::LeftButton, *at);
    EXPECT_EQ(view->PickedNodes().size(), 1u) << "with nodes shown the node is picked";
    EXPECT_EQ(view->SelectedShape(), nullptr);
    Click(Qt::LeftButton, *at);
    EXPECT_TRUE(view->PickedNodes().empty()) << "a second click on a picked node drops it";
}

TEST_F(PickingTest, AnAxisTagTogglesItsAxis) {
    const AxisTag tag = AxisTags({}).at(0);  // X1
    Click(Qt::LeftButton, ToWindow(tag.label.anchor));
    EXPECT_EQ(view->HiddenAxes(), (std::set<int32_t>{Db().sp_wno(tag.nameCode)}));
}

// Node picks draw only the nodes that can reach the click; the node picked
// must be the one a pick drawing every node finds, from any camera.
TEST_F(PickingTest, NodesNearTheClickPickAsAllNodesDo) {
    Camera& camera = view->ViewCamera();
    struct Pose {
        float azimuth, elevation, distance;
        bool parallel;
    };
    const Pose poses[] = {{270, 89, camera.distance, false}, {200, 30, camera.distance * 0.4f, false},
                          {300, 10, camera.distance, true}};
    int picks = 0;
    for (const Pose& pose : poses) {
        camera.azimuth = pose.azimuth;
        camera.elevation = pose.elevation;
        camera.distance = pose.distance;
        camera.parallel = pose.parallel;
        view->grabFramebuffer();
        for (int y = 3; y < 300; y += 19) {
            for (int x = 3; x < 400; x += 23) {
                const auto all = view->NodeAt(x, y, false);
                const auto culled = view->NodeAt(x, y, true);
                ASSERT_EQ(culled.has_value(), all.has_value()) << x << "," << y;
                if (culled) {
                    EXPECT_EQ(*culled, *all) << x << "," << y;
                    ++picks;
                }
            }
        }
    }
    EXPECT_GT(picks, 20) << "the sample hit nodes";
    EXPECT_LT(view->Picker().LastNodesDrawn(), view->Picker().LastNodesVisible());
}

// A user outlines a ramp from 1F up to 2F by clicking its four corners,
// right-clicks the outline, chooses 定義, and finds the slope in the file.
TEST_F(PickingTest, FourClickedCornersDefinedFromTheOutlineMenu) {
    const LayerCode f1 = DB_Usfind(TEVA_NAME_STOREY, "1F");
    ClickRampCorners();
    ASSERT_EQ(view->PickedNodes().size(), 4u);
    const SlopeShape* outline = view->Shapes().FindOutlineShape();
    ASSERT_NE(outline, nullptr);
    view->SetSelectedShape(outline);  // its vertex numbers shown
    SaveScreenshot("picked-outline.png");
    const QPoint centre = ToWindow(outline->Centroid());
    SaveMenuScreenshot("outline-menu.png", QSize(200, 140), [&] {
        view->PickSlope(centre.x(), centre.y(), false);
        view->SetSelectedShape(view->Shapes().FindOutlineShape());
    });

    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope(dialogs);
    dialogs.menuAnswers.push_back(kCommandDefine);
    Click(Qt::RightButton, ToWindow(outline->Centroid()));
    ASSERT_EQ(dialogs.shown.size(), 1u) << dialogs.Messages().size();
    EXPECT_EQ(dialogs.shown[0].text, "定義|名前をつけて定義|斜面形状順番|他斜面との交線を抽出|削除");
    EXPECT_TRUE(dialogs.Messages().empty()) << dialogs.Messages().front();
    EXPECT_TRUE(view->PickedNodes().empty()) << "定義 ends with the E reset";
    EXPECT_EQ(view->Shapes().FindOutlineShape(), nullptr);
    const int number = DB_Usfind(TEVA_NAME_SLOPE, "sl:1");
    ASSERT_GE(number, 1);
    EXPECT_NE(view->Shapes().FindShapeByNumber(-(32768 * number + f1)), nullptr) << "drawn as a registered slope";
    SaveScreenshot("slope-defined.png");

    ExpectTheRamp(DumpedSlope("sl:1"));
}

// The same ramp through 名前をつけて定義: the dialog takes a Japanese name
// (its spaces dropped) and registers the slope under it.
TEST_F(PickingTest, FourClickedCornersDefinedThroughTheDialogWithAName) {
    ClickRampCorners();
    const SlopeShape* outline = view->Shapes().FindOutlineShape();
    ASSERT_NE(outline, nullptr);
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope(dialogs);
    dialogs.menuAnswers.push_back(kCommandDefineNamed);
    bool answered = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<SlopeDefinitionDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        SaveScreenshot("definition-dialog.png", dialog);
        dialog->Panel()->name->setText(QStringLiteral("南　スロープ 1"));
        dialog->Panel()->Define();
        answered = true;
    });
    Click(Qt::RightButton, ToWindow(outline->Centroid()));
    ASSERT_TRUE(answered) << "the dialog did not open";
    EXPECT_TRUE(dialogs.Messages().empty()) << dialogs.Messages().front();
    EXPECT_TRUE(view->PickedNodes().empty());
    EXPECT_GE(DB_Usfind(TEVA_NAME_SLOPE, "南スロープ1"), 1);
    ExpectTheRamp(DumpedSlope("南スロープ1"));
}

// Seen from above, a node with 200 sub-layer nodes stacked over it fills the
// selection buffer's first 512 entries; the pick is drawn again into a
// larger one instead of finding nothing.
TEST(PickingStack, NodesStackedPastTheSelectionBufferStayPickable) {
    testing_support::TempDir dir;
    ASSERT_TRUE(ModelDbLibrary::Instance().LoadFrom(testing_support::BinDir()));
    ASSERT_TRUE(modeldbtest::makeGridBuilding(dir.File("stack.teva"))) << teva_last_error();
    for (int i = 1; i <= 200; ++i) {
        const std::string name = "L" + std::to_string(i);
        ASSERT_GT(modeldbtest::addLevel(2, name.c_str(), 1, 4.0 * i), 0);
    }
    ASSERT_EQ(DB_restruct(0), 0);
    SessionContext context;
    {
        SlopeEditorView view(context, nullptr, dir.File("Vorna3D.ini"));
        view.resize(400, 300);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        view.ViewCamera().elevation = 90.0f;  // straight down
        view.grabFramebuffer();
        const Vec3d p = *NodePositionOnLayer(1, 1);
        const SceneRenderer& r = view.Renderer();
        double x, y, z;
        gluProject(p.x, p.y, p.z, r.Modelview().data(), r.Projection().data(), r.Viewport().data(), &x, &y, &z);
        const auto node = view.NodeAt(static_cast<int>(x), r.Viewport()[3] - static_cast<int>(y));
        ASSERT_TRUE(node.has_value());
        EXPECT_EQ(node->node, 1);
        EXPECT_GT(view.Picker().LastNodesDrawn(), 73u) << "the stack under the click";
    }
    teva_close();
    ModelDbLibrary::Instance().Unload();
}

}  // namespace
