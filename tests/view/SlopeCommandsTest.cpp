// The editing commands of a registered slope on the real editor view over
// the demo building: 編集 from the slope's menu, written to the file, and
// the shape order, each clearing the selection afterwards.

#include <gtest/gtest.h>

#include <GL/glu.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <nlohmann/json.hpp>

#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "DemoViewFixture.h"
#include "TestBuilding.h"
#include "model/ModelDbLibrary.h"
#include "panels/EditSlopePanel.h"
#include "panels/LayerCombo.h"
#include "panels/ShapeOrderDialog.h"
#include "panels/SlopeDefinitionDialog.h"
#include "view/SlopeEditorView.h"

namespace {

using testing_support::RunProcess;

class SlopeCommandsTest : public DemoViewFixture {
protected:
    void SetUp() override {
        DemoViewFixture::SetUp();
        if (HasFatalFailure()) return;
        south = view->Shapes().FindShapeByNumber(-32772);  // "South roof", slope 1 on RF
        ASSERT_NE(south, nullptr);
    }

    const SlopeShape* south = nullptr;
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope{dialogs};
};

TEST_F(SlopeCommandsTest, EditFromTheSlopesMenuIsWrittenToTheFile) {
    dialogs.menuAnswers.push_back(kCommandEditSlope);
    dialogs.fileAnswers.push_back(dir.File("roof.tmsh"));
    bool answered = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<SlopeDefinitionDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->EditPanel()) return;
        EditSlopePanel* panel = dialog->EditPanel();
        EXPECT_EQ(panel->name->text(), "South roof");
        EXPECT_EQ(panel->upper->Text(), "R");
        EXPECT_EQ(panel->lower->Text(), "RF");
        panel->upper->SetText("RF - Loft");
        panel->type->Choose(1);  // 擬似ﾒｯｼｭ
        QApplication::processEvents();
        panel->Browse();
        panel->name->setText(QStringLiteral("南 屋根"));
        panel->Change();
        answered = true;
    });
    const QPoint at = ToWindow(south->Centroid());
    QTest::mousePress(view.get(), Qt::RightButton, {}, at);
    QTest::mouseRelease(view.get(), Qt::RightButton, {}, at);
    ASSERT_TRUE(answered) << "the dialog did not open";
    EXPECT_TRUE(dialogs.Messages().empty()) << dialogs.Messages().front();
    EXPECT_EQ(view->SelectedShape(), nullptr);

    const nlohmann::json json = Dump();
    ASSERT_FALSE(json.is_null());
    EXPECT_EQ(json["slopes"][0]["name"], "南屋根");
    const auto& record = json["records"]["slopes"][0];
    EXPECT_EQ(record["upperStorey"], 4);
    EXPECT_EQ(record["upperSub"], 2) << "the Loft sub-layer";
    EXPECT_EQ(record["lowerStorey"], 4);
    EXPECT_EQ(record["definition"], 5);
    EXPECT_EQ(record["meshRecord"], 1);
    EXPECT_EQ(record["edgeAxes"], nlohmann::json({6, 5, 10, 1})) << "fields not edited are kept";
    ASSERT_EQ(json["records"]["meshFiles"].size(), 1u);
    EXPECT_EQ(json["records"]["meshFiles"][0]["path"], dir.File("roof.tmsh"));
}

TEST_F(SlopeCommandsTest, ShapeOrderRewritesTheSelectedOutlineAndClearsTheSelection) {
    const std::vector<NodeRef> before = south->nodes;
    view->SetSelectedShape(south);
    bool answered = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<ShapeOrderDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        for (const char* text : {"4", "3", "2", "1"})
            dialog->remaining->setCurrentItem(dialog->remaining->findItems(text, Qt::MatchExactly).front());
        QTest::mouseClick(dialog->ok, Qt::LeftButton);
        answered = true;
    });
    view->RunCommand(kCommandShapeOrder);
    ASSERT_TRUE(answered) << "the dialog did not open";
    EXPECT_EQ(view->SelectedShape(), nullptr);
    EXPECT_EQ(south->nodes, (std::vector<NodeRef>{before[3], before[2], before[1], before[0]}));

    // With nothing selected there is no dialog.
    bool opened = false;
    QTimer::singleShot(0, [&] { opened = QApplication::activeModalWidget() != nullptr; });
    view->RunCommand(kCommandShapeOrder);
    QApplication::processEvents();
    EXPECT_FALSE(opened);
}

}  // namespace
