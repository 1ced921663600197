// The editor view's commands that change the model, run from its real
// context menus over the demo building: deleting a registered slope, and
// extracting the intersection lines of an outline that cuts "South roof"
// before it is defined.

#include <gtest/gtest.h>

#include <GL/glu.h>

#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "DemoViewFixture.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "TestBuilding.h"
#include "model/ModelDbLibrary.h"
#include "model/NodeSelection.h"
#include "panels/PlacementPanel.h"
#include "panels/RangeComboBox.h"
#include "view/SlopeEditorView.h"

namespace {

using testing_support::RunProcess;
using Strings = std::vector<std::string>;

class ModelEditCommands : public DemoViewFixture {
protected:
    void RightClick(QPoint at) { Click(Qt::RightButton, at); }
    // Where a right-click on the shape hits it rather than what lies before it.
    std::optional<QPoint> PointOn(const SlopeShape& shape) {
        for (double t : {0.5, 0.3, 0.7, 0.2, 0.8}) {
            for (size_t i = 0; i < shape.vertices.size(); ++i) {
                const Vec3d p = shape.Centroid() * (1 - t) + shape.vertices[i] * t;
                const QPoint at = ToWindow(p);
                if (view->PickSlope(at.x(), at.y(), true) && view->SelectedShape() &&
                    view->SelectedShape()->id == shape.id) {
                    view->SetSelectedShape(nullptr);
                    return at;
                }
            }
        }
        view->SetSelectedShape(nullptr);
        return std::nullopt;
    }
    // The outline over X1-X2 by Y1-Y2 falling from R to RF.
    void PickCuttingOutline() {
        view->PickedNodes() = {At("R", "X1", "Y1"), At("RF", "X2", "Y1"), At("RF", "X2", "Y2"), At("R", "X1", "Y2")};
        BuildOutlineShape(view->PickedNodes(), view->Shapes());
        view->grabFramebuffer();
    }
    // A camera on the corner of South roof where the outline's cut lies.
    void LookAtTheCut() {
        Look(QSize(640, 480), {5000, 3000, 11000}, 300, 25, 22000);
    }
    static bool Has(const nlohmann::json& list, const char* key, const std::string& value) {
        return std::any_of(list.begin(), list.end(), [&](const auto& e) { return e[key] == value; });
    }
};

TEST_F(ModelEditCommands, DeleteFromTheRegisteredSlopeMenuAfterConfirming) {
    const SlopeShape* roof = view->Shapes().FindShapeByNumber(SlopeLayer("South roof"));
    ASSERT_NE(roof, nullptr);
    const auto at = PointOn(*roof);
    ASSERT_TRUE(at) << "South roof is nowhere to be clicked";
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope(dialogs);

    // Cancelled: nothing changes.
    dialogs.menuAnswers = {kCommandDeleteSlope};
    dialogs.messageAnswers = {platform::MessageResult::Cancel};
    RightClick(*at);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].text, "編集|削除");
    EXPECT_EQ(dialogs.shown[1].text, "関連部材がある場合削除されます。");
    EXPECT_GE(DB_Usfind(TEVA_NAME_SLOPE, "South roof"), 1);
    EXPECT_EQ(view->SelectedShape(), nullptr);

    dialogs.menuAnswers = {kCommandDeleteSlope};
    RightClick(*at);
    EXPECT_EQ(DB_Usfind(TEVA_NAME_SLOPE, "South roof"), -2);
    EXPECT_EQ(view->Shapes().Size(), 1u) << "North roof is left";
    const nlohmann::json dump = Dump();
    EXPECT_FALSE(Has(dump["slopes"], "name", "South roof"));
    EXPECT_TRUE(Has(dump["slopes"], "name", "North roof"));
}

// An outline over X1-X2 by Y1-Y2 falling from R at X1 to RF at X2 cuts South
// roof from (6000, 0) at RF up to (2000, 6000) at RF + 2000. Extraction adds
// the level and the axis along the cut; the outline then defines, and all of
// it is in the file.
TEST_F(ModelEditCommands, OutlineCuttingSouthRoofExtractsThenDefines) {
    LookAtTheCut();
    PickCuttingOutline();
    const SlopeShape* outline = view->Shapes().FindOutlineShape();
    ASSERT_NE(outline, nullptr);
    const auto at = PointOn(*outline);
    ASSERT_TRUE(at) << "the outline is nowhere to be clicked";
    const char* folder = std::getenv("TORMEL_SCREENSHOT_DIR");
    if (folder) view->grabFramebuffer().save(QString::fromUtf8(folder) + "/extraction-before.png");

    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope(dialogs);
    // Defined before the extraction, it is refused, and South roof, which it
    // cuts without an axis there, is marked until the next click.
    dialogs.menuAnswers = {kCommandDefine};
    RightClick(*at);
    EXPECT_EQ(dialogs.Messages().size(), 1u);
    ASSERT_TRUE(view->Refusal());
    EXPECT_EQ(view->Refusal()->slope, -32772);
    if (folder) view->grabFramebuffer().save(QString::fromUtf8(folder) + "/definition-refused.png");

    dialogs.shown.clear();
    dialogs.menuAnswers = {kCommandExtractLines};
    RightClick(*at);
    EXPECT_FALSE(view->Refusal());
    EXPECT_EQ(dialogs.Messages(), (Strings{"1層を追加しました。", "1'軸を追加しました。"}));
    EXPECT_TRUE(view->PickedNodes().empty()) << "the extraction ends with the E reset";
    EXPECT_EQ(view->Shapes().FindOutlineShape(), nullptr);
    if (folder) view->grabFramebuffer().save(QString::fromUtf8(folder) + "/extraction-after.png");

    dialogs.shown.clear();
    PickCuttingOutline();
    dialogs.menuAnswers = {kCommandDefine};
    RightClick(*PointOn(*view->Shapes().FindOutlineShape()));
    EXPECT_TRUE(dialogs.Messages().empty()) << dialogs.Messages().front();
    EXPECT_GE(DB_Usfind(TEVA_NAME_SLOPE, "sl:1"), 1);

    const nlohmann::json dump = Dump();
    EXPECT_TRUE(Has(dump["names"]["axis"], "name", "1'"));
    EXPECT_TRUE(Has(dump["layers"], "label", "RF - 1"));
    EXPECT_TRUE(Has(dump["slopes"], "name", "sl:1"));
    const auto& levels = dump["records"]["levels"];
    ASSERT_EQ(levels.size(), 3u);
    EXPECT_NEAR(levels.back()["height"].get<double>(), 2000.0, 0.01);
}

// The same extraction, taken back with Ctrl+Z: the axis and the level are
// gone from the file and from the placement panel's lists; Ctrl+Y brings
// them back.
TEST_F(ModelEditCommands, ExtractionUndoneAndRedoneFromTheKeyboard) {
    PlacementPanel placement(nullptr, context, dir.File("Vorna3D.ini"));
    auto listed = [&](RangeBox box, const char* text) { return placement.Box(box)->Entries().contains(text); };
    LookAtTheCut();
    PickCuttingOutline();
    const auto at = PointOn(*view->Shapes().FindOutlineShape());
    ASSERT_TRUE(at);
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope(dialogs);
    dialogs.menuAnswers = {kCommandExtractLines};
    RightClick(*at);
    ASSERT_EQ(dialogs.Messages().size(), 2u);
    ASSERT_TRUE(listed(RangeBox::XLeft, "1'") || listed(RangeBox::YLeft, "1'"));
    ASSERT_TRUE(listed(RangeBox::Lower, "RF - 1"));

    QTest::keyClick(view.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view->Notice(), "元に戻す: 他斜面との交線を抽出");
    EXPECT_FALSE(listed(RangeBox::XLeft, "1'") || listed(RangeBox::YLeft, "1'"));
    EXPECT_FALSE(listed(RangeBox::Lower, "RF - 1"));
    EXPECT_EQ(DB_Usfind(TEVA_NAME_AXIS, "1'"), -2);

    QTest::keyClick(view.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(view->Notice(), "やり直し: 他斜面との交線を抽出");
    EXPECT_TRUE(listed(RangeBox::Lower, "RF - 1"));
    QTest::keyClick(view.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);  // nothing left to redo
    QTest::keyClick(view.get(), Qt::Key_Z, Qt::ControlModifier);
    // A library without the undo entries: the keys do nothing.
    const ModelDbEntries bound = Db();
    ModelDbEntries without = bound;
    without.teva_redo = nullptr;
    ModelDbLibrary::Instance().ReplaceEntries(without);
    QTest::keyClick(view.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_FALSE(listed(RangeBox::Lower, "RF - 1"));
    ModelDbLibrary::Instance().ReplaceEntries(bound);

    const nlohmann::json dump = Dump();
    EXPECT_FALSE(Has(dump["names"]["axis"], "name", "1'"));
    EXPECT_FALSE(Has(dump["layers"], "label", "RF - 1"));
    EXPECT_EQ(dump["records"]["levels"].size(), 2u);
}

}  // namespace
