// What the user guide shows, done through the real panes, menus and dialogs
// over the demo building: the range chosen in the Control pane, the Camera
// pane, a first ramp defined, undone, redone and renamed, the shape-order
// dialog, and mesh mode's element menu and dialogs. Each state is checked
// before it is photographed; with TORMEL_SCREENSHOT_DIR set the pictures are
// saved there (docs/make-screenshots.sh makes the guide's pictures this way).

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

#include "DemoViewFixture.h"
#include "QtDialogs.h"
#include "ScriptedDialogs.h"
#include "model/NodeSelection.h"
#include "model/SlopeMesh.h"
#include "panels/AddNodeDialog.h"
#include "panels/CameraButtonsView.h"
#include "panels/CameraPane.h"
#include "panels/ControlPane.h"
#include "panels/DisplayCheckItem.h"
#include "panels/DivisionCountDialog.h"
#include "panels/EditSlopePanel.h"
#include "panels/NodeCoordinatesDialog.h"
#include "panels/NodeOrderDialog.h"
#include "panels/PlacementPanel.h"
#include "panels/RangeComboBox.h"
#include "panels/ShapeOrderDialog.h"
#include "panels/SlopeDefinitionDialog.h"
#include "toolkit/RadioItem.h"

namespace {

class GuideScreenshots : public DemoViewFixture {
protected:
    // The ramp of the walkthrough: 1F at X2/Y1 and X3/Y1 up to 2F at X3/Y2
    // and X2/Y2, seen from the south-west.
    void PickTheRamp() {
        Look(QSize(480, 360), {9000, 3000, 1750}, 240, 30, 24000);
        view->PickedNodes() = {At("1F", "X2", "Y1"), At("1F", "X3", "Y1"), At("2F", "X3", "Y2"), At("2F", "X2", "Y2")};
        BuildOutlineShape(view->PickedNodes(), view->Shapes());
        view->grabFramebuffer();
    }
    // Where a right-click on the shape hits it rather than what lies before it.
    std::optional<QPoint> PointOn(const SlopeShape& shape) {
        std::optional<QPoint> found;
        for (double t : {0.0, 0.3, 0.6}) {
            for (size_t i = 0; i < shape.vertices.size() && !found; ++i) {
                const QPoint at = ToWindow(shape.Centroid() * (1 - t) + shape.vertices[i] * t);
                if (view->PickSlope(at.x(), at.y(), true) && view->SelectedShape() &&
                    view->SelectedShape()->id == shape.id)
                    found = at;
            }
        }
        view->SetSelectedShape(nullptr);
        return found;
    }
    // Runs `answer` on the modal dialog of type D that `open` brings up;
    // false when none came.
    template <typename D>
    bool WithDialog(const std::function<void()>& open, const std::function<void(D&)>& answer) {
        bool answered = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
            if (!dialog) return;
            answer(*dialog);
            answered = true;
        });
        open();
        return answered;
    }
    // Chooses `text` in the box's list as a user does: the box clicked open
    // (unless it is), the list scrolled to the entry, the entry clicked.
    static void Choose(RangeComboBox* box, const QString& text) {
        const int row = static_cast<int>(box->Entries().indexOf(text));
        ASSERT_GE(row, 0) << text.toStdString();
        if (!box->IsOpen()) QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(10, 10));
        ASSERT_TRUE(box->IsOpen());
        toolkit::DropDownList* list = box->List();
        list->ScrollRows(row - list->FirstRow());
        list->PickAt(QPoint(10, (row - list->FirstRow()) * toolkit::DropDownList::kRowHeight + 6));
        QApplication::processEvents();
        ASSERT_EQ(box->Text(), text);
    }
    // The display items as mesh mode leaves them.
    void MeshModeItems() {
        items.off = {display_items::kRange, display_items::kRidgeLines, display_items::kEdges};
        items.nodes = false;
    }
    static void Save(QWidget& widget, const char* name) { SaveScreenshot(widget.grab().toImage(), name); }
    void SaveView(const char* name) { SaveScreenshot(view->grabFramebuffer(), name); }

    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scoped{dialogs};
};

// 有効範囲 on and 上層 chosen as 2F from its open list: the view keeps 1F to 2F.
TEST_F(GuideScreenshots, ControlPaneNarrowsTheRange) {
    ControlPane pane(nullptr, nullptr, context, dir.File("Vorna3D.ini"));
    pane.resize(240, 440);
    pane.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
    PlacementPanel* panel = pane.Panel();
    EXPECT_EQ(panel->Box(RangeBox::Lower)->Text(), "1F");
    EXPECT_FALSE(panel->RangeShown());
    QTest::mouseClick(panel->Item(1), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(panel->RangeShown()) << "有効範囲 turned on";

    // The diagonal D1 starts as the lowest Y axis, tied with Y1 at y = 0.
    EXPECT_EQ(panel->Box(RangeBox::YLeft)->Text(), "D1");
    Choose(panel->Box(RangeBox::YLeft), "Y1");
    RangeComboBox* upper = panel->Box(RangeBox::Upper);
    QTest::mouseClick(upper, Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_TRUE(upper->IsOpen());
    QApplication::processEvents();
    Save(pane, "control-pane.png");
    Choose(upper, "2F");

    QTest::keyClick(view.get(), Qt::Key_C);  // fitted to the range
    view->grabFramebuffer();
    EXPECT_TRUE(view->Range().enabled);
    EXPECT_EQ(view->Range().upperLayer, Db().sp_cpno(Storey("2F")));
    EXPECT_EQ(view->Range().lowerLayer, Db().sp_cpno(Storey("1F")));
    EXPECT_EQ(view->Range().axisMinY, Db().sp_wno(DB_Usfind(TEVA_NAME_AXIS, "Y1")));
    SaveView("range-effective.png");
}

// 平行投影 chosen in the Camera pane switches the view at once.
TEST_F(GuideScreenshots, CameraPaneSwitchesToParallelProjection) {
    CameraPane pane(nullptr, nullptr, context, dir.File("Vorna3D.ini"));
    pane.resize(200, 290);
    pane.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
    auto* buttons = pane.findChild<CameraButtonsView*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_FALSE(view->ViewCamera().parallel);
    QTest::mouseClick(buttons->ParallelRadio(), Qt::LeftButton, {}, QPoint(5, 5));
    QApplication::processEvents();
    EXPECT_TRUE(view->ViewCamera().parallel);
    EXPECT_TRUE(buttons->ParallelRadio()->IsChecked());
    EXPECT_FALSE(buttons->PerspectiveRadio()->IsChecked());
    Save(pane, "camera-pane.png");
}

// The walkthrough: the ramp defined with 定義, undone with Ctrl+Z, redone
// with Ctrl+Y, renamed through 編集, then meshed 2 × 2 and saved.
TEST_F(GuideScreenshots, FirstRoofDefinedUndoneRedoneRenamedAndMeshed) {
    PickTheRamp();
    const SlopeShape* outline = view->Shapes().FindOutlineShape();
    ASSERT_NE(outline, nullptr);
    const auto onOutline = PointOn(*outline);
    ASSERT_TRUE(onOutline) << "the outline is nowhere to be clicked";
    dialogs.menuAnswers = {kCommandDefine};
    Click(Qt::RightButton, *onOutline);
    EXPECT_TRUE(dialogs.Messages().empty()) << dialogs.Messages().front();
    ASSERT_GE(DB_Usfind(TEVA_NAME_SLOPE, "sl:1"), 1);

    QTest::keyClick(view.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view->Notice(), "元に戻す: 斜面定義");
    EXPECT_EQ(DB_Usfind(TEVA_NAME_SLOPE, "sl:1"), -2);
    SaveView("undo-notice.png");
    QTest::keyClick(view.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(view->Notice(), "やり直し: 斜面定義");
    QTest::qWait(3200);
    EXPECT_EQ(view->Notice(), "") << "the notice goes after three seconds";
    const int number = DB_Usfind(TEVA_NAME_SLOPE, "sl:1");
    ASSERT_GE(number, 1);

    // 編集 from the registered slope's menu: the name becomes スロープ.
    const SlopeShape* ramp = view->Shapes().FindShapeByNumber(-(32768 * number + Storey("1F")));
    ASSERT_NE(ramp, nullptr);
    const auto onRamp = PointOn(*ramp);
    ASSERT_TRUE(onRamp);
    dialogs.menuAnswers = {kCommandEditSlope};
    const bool edited = WithDialog<SlopeDefinitionDialog>([&] { Click(Qt::RightButton, *onRamp); },
                                                          [](SlopeDefinitionDialog& dialog) {
                                                              EditSlopePanel* panel = dialog.EditPanel();
                                                              ASSERT_NE(panel, nullptr);
                                                              EXPECT_EQ(panel->name->text(), "sl:1");
                                                              panel->name->setText(QStringLiteral("スロープ"));
                                                              Save(dialog, "edit-dialog.png");
                                                              panel->Change();
                                                          });
    ASSERT_TRUE(edited) << "the edit dialog did not open";
    EXPECT_TRUE(dialogs.Messages().empty()) << dialogs.Messages().front();
    EXPECT_EQ(DB_Usfind(TEVA_NAME_SLOPE, "スロープ"), number);

    // Mesh mode on the ramp: 自動分割 2 × 2 from the element's menu, saved.
    view->SetSelectedShape(view->Shapes().FindShapeByNumber(-(32768 * number + Storey("1F"))));
    ASSERT_TRUE(view->HasSelectedSlope());
    MeshModeItems();
    view->ViewCamera().distance = 15000;
    view->EnterMeshMode();
    view->grabFramebuffer();
    ASSERT_EQ(view->Mode(), InteractionMode::Mesh);
    ASSERT_EQ(view->Mesh().working.size(), 1u);
    const auto& corners = view->Mesh().working[0].vertices;
    const QPoint centre = ToWindow((Vec3d(corners[0].x, corners[0].y, corners[0].z) +
                                    Vec3d(corners[2].x, corners[2].y, corners[2].z)) * 0.5);
    dialogs.menuAnswers = {2};
    const bool divided = WithDialog<DivisionCountDialog>([&] { Click(Qt::LeftButton, centre + QPoint(9, 4)); },
                                                         [](DivisionCountDialog& dialog) {
                                                             dialog.count1->setText("2");
                                                             dialog.count2->setText("2");
                                                             Save(dialog, "division-dialog.png");
                                                             dialog.accept();
                                                         });
    ASSERT_TRUE(divided) << "the division dialog did not open";
    EXPECT_EQ(view->Mesh().working.size(), 16u) << "2 × 2 cells of four triangles";
    dialogs.menuAnswers = {1};
    dialogs.fileAnswers = {dir.File("ramp.tmsh")};
    Click(Qt::RightButton, QPoint(3, 3));
    EXPECT_EQ(view->Mesh().kind, MeshKind::File) << "entered again on the saved file";
    SaveView("walkthrough-mesh.png");
    const nlohmann::json records = Dump()["records"];
    ASSERT_EQ(records["meshFiles"].size(), 1u);
    EXPECT_EQ(records["meshFiles"][0]["path"], dir.File("ramp.tmsh"));
}

// 斜面形状順番 on the picked ramp: 3 and 1 chosen first, OK still off.
TEST_F(GuideScreenshots, ShapeOrderDialogPutsTheCornersInTheChosenOrder) {
    PickTheRamp();
    const SlopeShape* outline = view->Shapes().FindOutlineShape();
    ASSERT_NE(outline, nullptr);
    const std::vector<Vec3d> before = outline->vertices;
    ASSERT_EQ(before.size(), 4u);
    view->SetSelectedShape(outline);
    const bool ordered = WithDialog<ShapeOrderDialog>([&] { view->RunCommand(kCommandShapeOrder); },
                                                      [](ShapeOrderDialog& dialog) {
                                                          dialog.MoveEntry(2);  // "3"
                                                          dialog.MoveEntry(0);  // "1"
                                                          EXPECT_FALSE(dialog.ok->isEnabled());
                                                          Save(dialog, "shape-order-dialog.png");
                                                          dialog.MoveEntry(0);
                                                          dialog.MoveEntry(0);
                                                          ASSERT_TRUE(dialog.ok->isEnabled());
                                                          dialog.accept();
                                                      });
    ASSERT_TRUE(ordered) << "the shape-order dialog did not open";
    outline = view->Shapes().FindOutlineShape();
    ASSERT_NE(outline, nullptr);
    EXPECT_EQ(outline->vertices, (std::vector<Vec3d>{before[2], before[0], before[1], before[3]}));
}

// Mesh mode on South roof with the Qt dialogs: 節点座標 of a corner, the
// element menu, 四角形分割, 節点順番の入替 and 節点の追加.
TEST_F(GuideScreenshots, MeshDialogsOnSouthRoof) {
    MeshModeItems();
    view->resize(480, 360);
    view->ViewCamera().target = Vec3d(12000, 6000, 10500);
    view->ViewCamera().distance = 30000;
    view->SetSelectedShape(view->Shapes().FindShapeByNumber(-(32768 * DB_Usfind(TEVA_NAME_SLOPE, "South roof") +
                                                               Storey("RF"))));
    ASSERT_TRUE(view->HasSelectedSlope());
    view->EnterMeshMode();
    view->grabFramebuffer();
    ASSERT_EQ(view->Mesh().working.size(), 1u);
    const auto corner = [&](size_t i) {
        const MeshVertex& v = view->Mesh().working.at(0).vertices.at(i);
        return ToWindow(Vec3d(v.x, v.y, v.z));
    };
    const MeshVertex first = view->Mesh().working[0].vertices[1];
    const bool asked = WithDialog<NodeCoordinatesDialog>(
        [&] {
            Click(Qt::LeftButton, corner(1));
            Click(Qt::LeftButton, corner(1));
        },
        [&](NodeCoordinatesDialog& dialog) {
            EXPECT_DOUBLE_EQ(dialog.x->text().toDouble(), first.x);
            EXPECT_DOUBLE_EQ(dialog.z->text().toDouble(), first.z);
            Save(dialog, "node-coordinates-dialog.png");
            dialog.reject();
        });
    ASSERT_TRUE(asked) << "the same node twice opens its coordinates";

    const auto centreOf = [&](size_t e) {
        Vec3d c;
        const auto& vs = view->Mesh().working.at(e).vertices;
        for (const MeshVertex& v : vs) c = c + Vec3d(v.x, v.y, v.z) * (1.0 / vs.size());
        return ToWindow(c) + QPoint(5, 3);
    };
    SaveMenuScreenshot("mesh-element-menu.png", QSize(120, 40), [&] { Click(Qt::LeftButton, centreOf(0)); });
    dialogs.menuAnswers = {3};
    const bool divided = WithDialog<DivisionCountDialog>([&] { Click(Qt::LeftButton, centreOf(0)); },
                                                         [](DivisionCountDialog& dialog) {
                                                             dialog.count1->setText("3");
                                                             dialog.count2->setText("2");
                                                             dialog.accept();
                                                         });
    ASSERT_TRUE(divided);
    ASSERT_EQ(view->Mesh().working.size(), 6u) << "四角形分割 3 × 2";
    for (const MeshElement& e : view->Mesh().working) EXPECT_EQ(e.vertices.size(), 4u);

    const std::vector<MeshVertex> quad = view->Mesh().working[0].vertices;
    dialogs.menuAnswers = {4};
    const bool swapped = WithDialog<NodeOrderDialog>([&] { Click(Qt::LeftButton, centreOf(0)); },
                                                     [](NodeOrderDialog& dialog) {
                                                         for (const char* text : {"2", "3"}) {
                                                             dialog.remaining->setCurrentItem(
                                                                 dialog.remaining->findItems(text, Qt::MatchExactly).front());
                                                             dialog.MoveSelected();
                                                         }
                                                         Save(dialog, "node-order-dialog.png");
                                                         for (const char* text : {"4", "1"}) {
                                                             dialog.remaining->setCurrentItem(
                                                                 dialog.remaining->findItems(text, Qt::MatchExactly).front());
                                                             dialog.MoveSelected();
                                                         }
                                                         dialog.accept();
                                                     });
    ASSERT_TRUE(swapped);
    const auto& reordered = view->Mesh().working[0].vertices;
    ASSERT_EQ(reordered.size(), 4u);
    EXPECT_DOUBLE_EQ(reordered[0].x, quad[1].x);
    EXPECT_DOUBLE_EQ(reordered[0].y, quad[1].y);
    EXPECT_DOUBLE_EQ(reordered[3].y, quad[0].y);

    dialogs.menuAnswers = {5};
    const bool added = WithDialog<AddNodeDialog>([&] { Click(Qt::LeftButton, centreOf(0)); },
                                                 [](AddNodeDialog& dialog) {
                                                     EXPECT_EQ(dialog.spans->count(), 4);
                                                     Save(dialog, "add-node-dialog.png");
                                                     dialog.accept();
                                                 });
    ASSERT_TRUE(added);
    EXPECT_EQ(view->Mesh().working[0].vertices.size(), 5u) << "a node in the middle of span 1";
    view->Mesh().selectedElement = 0;
    SaveView("mesh-node-added.png");
}

}  // namespace
