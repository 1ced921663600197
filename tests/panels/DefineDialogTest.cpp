// The definition dialog on the define side, against the grid building:
// preselected layers, name rules that keep it open, registration through it.

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "DefinitionFixture.h"
#include "RecordLayouts.h"
#include "model/SlopeMessages.h"
#include "panels/DefineSlopePanel.h"
#include "panels/LayerCombo.h"
#include "panels/SlopeDefinitionDialog.h"
#include "toolkit/CheckItem.h"
#include "toolkit/PushButton.h"

namespace {

using Strings = std::vector<std::string>;

class DefineDialog : public DefinitionFixture {
protected:
    void SetUp() override {
        DefinitionFixture::SetUp();
        picked = {At(1, "X1", "Y1"), At(1, "X2", "Y1"), At(2, "X2", "Y2"), At(2, "X1", "Y2")};
        SelectOutline();
    }

    std::unique_ptr<SlopeDefinitionDialog> Open() {
        auto dialog = std::make_unique<SlopeDefinitionDialog>(nullptr, picked, shapes, refresh);
        dialog->show();
        return dialog;
    }
    // A press and release on the button; its message arrives queued.
    static void Click(toolkit::PushButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
    }
    static void Register(SlopeDefinitionDialog& dialog, const QString& name) {
        dialog.Panel()->name->setText(name);
        Click(dialog.Panel()->buttons[0]);
    }
};

TEST_F(DefineDialog, OpensWithThePickedNodesLayersAndTheControlsInPlace) {
    const auto dialog = Open();
    EXPECT_EQ(dialog->objectName(), "11014");
    EXPECT_EQ(dialog->windowTitle(), "斜面定義");
    EXPECT_EQ(dialog->size(), QSize(300, 300));
    DefineSlopePanel* panel = dialog->Panel();
    EXPECT_EQ(panel->objectName(), "11001");
    EXPECT_EQ(panel->geometry(), dialog->rect());
    EXPECT_EQ(panel->upper->Entries(), (QStringList{"1F", "2F", "3F"}));
    EXPECT_EQ(panel->upper->Text(), "2F");
    EXPECT_EQ(panel->lower->Text(), "1F");
    EXPECT_EQ(panel->upper->Value(), 2);
    EXPECT_EQ(panel->lower->Value(), 1);
    EXPECT_EQ(panel->type->Entries(), QStringList{"平面"});
    EXPECT_FALSE(panel->repeatLayer->isEnabled());
    EXPECT_FALSE(panel->repeat->IsChecked());
    // a = (300 - 100) / 2; the buttons in the second and third of three slots.
    EXPECT_EQ(panel->upper->geometry(), QRect(60, 20, 160, 20));
    EXPECT_EQ(panel->repeatLayer->geometry(), QRect(60, 170, 140, 20));
    EXPECT_EQ(panel->buttons[0]->geometry(), QRect(110, 225, 80, 30));
    EXPECT_EQ(panel->buttons[1]->geometry(), QRect(205, 225, 80, 30));
}

TEST_F(DefineDialog, RegistersUnderTheNameWithoutSpaces) {
    const auto dialog = Open();
    Register(*dialog, QStringLiteral(" 南 屋根　"));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), DefineSlopePanel::kClosed);
    EXPECT_TRUE(dialogs.Messages().empty());
    const int number = DB_Usfind(TEVA_NAME_SLOPE, "南屋根");
    ASSERT_GT(number, 0);
    const SlopeData data = ReadSlopeData();
    ASSERT_EQ(data.slopes.size(), 1u);
    const teva::SlopeRecord slope = teva::decodeSlope(data.slopes[0].data());
    EXPECT_EQ(slope.slopeNumber, number);
    EXPECT_EQ(slope.upperStorey, 2);
    EXPECT_EQ(slope.lowerStorey, 1);
    EXPECT_EQ(refresh.refreshes, 1);
}

TEST_F(DefineDialog, RefusedNamesKeepItOpenWithNothingWritten) {
    ASSERT_GT(DB_Usno(TEVA_NAME_SLOPE, "taken"), 0);
    const std::pair<QString, const char*> cases[] = {
        {"", kDuplicateNameMessage},
        {QStringLiteral(" 　 "), kDuplicateNameMessage},
        {QStringLiteral(" take n"), kDuplicateNameMessage},
        {QString(64, 'a'), kNameTooLongMessage},
        {QString(21, QChar(0x5C4B)) + "a", kNameTooLongMessage},  // 64 bytes of UTF-8
    };
    const auto dialog = Open();
    const SlopeData before = ReadSlopeData();
    for (const auto& [typed, message] : cases) {
        SCOPED_TRACE(typed.toStdString());
        dialogs.shown.clear();
        Register(*dialog, typed);
        EXPECT_EQ(dialogs.Messages(), Strings{message});
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->Panel()->name->text(), typed);
        EXPECT_EQ(ReadSlopeData(), before);
    }
    // 63 bytes are accepted.
    dialogs.shown.clear();
    Register(*dialog, QString(21, QChar(0x5C4B)));
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(DefineDialog, EscapeActsAsCancel) {
    const auto dialog = Open();
    const SlopeData before = ReadSlopeData();
    dialog->Panel()->name->setText("roof");
    QTest::keyClick(dialog.get(), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(refresh.repaints, 0);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), DefineSlopePanel::kClosed);
    EXPECT_EQ(refresh.repaints, 1);
    EXPECT_EQ(ReadSlopeData(), before);
}

TEST_F(DefineDialog, TheSameLayerTwiceIsRefusedByTheDefinitionAndCloses) {
    const auto dialog = Open();
    dialog->Panel()->upper->SetText("1F");
    Register(*dialog, "flat");
    EXPECT_EQ(dialogs.Messages(), Strings{kInvalidPositionMessage});
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(DB_Usfind(TEVA_NAME_SLOPE, "flat"), -2);
    EXPECT_TRUE(ReadSlopeData().slopes.empty());
}

TEST_F(DefineDialog, ALayerTextNamingNoLayerKeepsItOpen) {
    picked.clear();  // nothing preselected
    const auto dialog = Open();
    EXPECT_EQ(dialog->Panel()->upper->Text(), "");
    Register(*dialog, "roof");
    EXPECT_EQ(dialogs.Messages(), Strings{kUnknownLayerMessage});
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(DefineDialog, ReadingALayerChoiceRegistersNoName) {
    const int sub = modeldbtest::addLevel(1, "M", 0, 1500);
    ASSERT_GT(sub, 0);
    ASSERT_EQ(DB_restruct(0), 0);
    const auto dialog = Open();
    LayerCombo* upper = dialog->Panel()->upper;
    EXPECT_TRUE(upper->Entries().contains("1F - M"));
    const struct {
        const char* text;
        int32_t value;
    } cases[] = {
        {"3F", 3}, {"1F - M", MakeLayerCode(1, sub)}, {" - M", MakeLayerCode(1, sub)}, {"2F - M", MakeLayerCode(2, sub)},
        {"1F - New", 0}, {"Nowhere", 0}, {"", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        upper->SetText(c.text);
        QApplication::processEvents();
        EXPECT_EQ(upper->Value(), c.value);
    }
    EXPECT_EQ(DB_Usfind(TEVA_NAME_SUBLAYER, "New"), -2);
    EXPECT_GT(refresh.repaints, 0);  // a changed choice repaints the view
}

}  // namespace
