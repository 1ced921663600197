// The four dialogs of mesh mode: what OK takes and refuses (each refusal
// names its fault and keeps the dialog open), the node order built with
// ">>", and the spans listed in text order; and the modal set the view asks.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include "ScriptedDialogs.h"
#include "mesh/MeshMessages.h"
#include "panels/AddNodeDialog.h"
#include "panels/DivisionCountDialog.h"
#include "panels/NodeCoordinatesDialog.h"
#include "panels/NodeOrderDialog.h"
#include "panels/QtMeshDialogs.h"

namespace {

using Strings = std::vector<std::string>;

class MeshModeDialogs : public ::testing::Test {
protected:
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs installed{dialogs};
};

QStringList Texts(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row) texts << list->item(row)->text();
    return texts;
}

// Selects `text` in the list still to place and presses ">>".
void Move(NodeOrderDialog& dialog, const QString& text) {
    const auto items = dialog.remaining->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << text.toStdString();
    dialog.remaining->setCurrentItem(items.front());
    QTest::mouseClick(dialog.move, Qt::LeftButton);
}

TEST_F(MeshModeDialogs, MovingNeedsASelection) {
    NodeOrderDialog dialog(nullptr, {"1", "2", "3"});
    QTest::mouseClick(dialog.move, Qt::LeftButton);
    EXPECT_EQ(dialogs.Messages(), Strings{kMeshOrderSelectLeft});
    EXPECT_EQ(dialog.remaining->count(), 3);
    EXPECT_EQ(dialog.ordered->count(), 0);

    Move(dialog, "2");
    QTest::mouseClick(dialog.move, Qt::LeftButton);  // a move leaves nothing selected
    EXPECT_EQ(dialogs.Messages(), (Strings{kMeshOrderSelectLeft, kMeshOrderSelectLeft}));
    EXPECT_EQ(Texts(dialog.ordered), QStringList{"2"});
}

TEST_F(MeshModeDialogs, OkTakesTheOrderOnlyOnceEveryItemHasMoved) {
    NodeOrderDialog dialog(nullptr, {"1", "2", "3", "4"});
    dialog.show();
    Move(dialog, "3");
    Move(dialog, "1");
    QTest::mouseClick(dialog.ok, Qt::LeftButton);
    EXPECT_EQ(dialogs.Messages(), Strings{kMeshOrderItemsLeft});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.Order().empty());
    EXPECT_EQ(Texts(dialog.remaining), (QStringList{"2", "4"})) << "left in the order given, unsorted";

    Move(dialog, "2");
    Move(dialog, "4");
    QTest::mouseClick(dialog.ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Order(), (Strings{"3", "1", "2", "4"}));
    EXPECT_EQ(dialogs.Messages().size(), 1u);
}

TEST_F(MeshModeDialogs, ClearRefillsInTheGivenOrder) {
    const Strings items = {"2", "10", "1"};
    NodeOrderDialog dialog(nullptr, items);
    Move(dialog, "10");
    Move(dialog, "2");
    QTest::mouseClick(dialog.clear, Qt::LeftButton);
    EXPECT_EQ(Texts(dialog.remaining), (QStringList{"2", "10", "1"}));
    EXPECT_EQ(dialog.ordered->count(), 0);
}

TEST_F(MeshModeDialogs, SpansReadInTextOrderAndAnswerTheirIndex) {
    std::vector<int> spans;
    for (int i = 1; i <= 12; ++i) spans.push_back(i);
    AddNodeDialog dialog(nullptr, spans);
    QStringList texts;
    for (int i = 0; i < dialog.spans->count(); ++i) texts << dialog.spans->itemText(i);
    EXPECT_EQ(texts, (QStringList{"1", "10", "11", "12", "2", "3", "4", "5", "6", "7", "8", "9"}));
    EXPECT_EQ(dialog.spans->currentText(), "1");
    dialog.spans->setCurrentIndex(1);
    QTest::mouseClick(dialog.ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ChosenIndex(), 9);
}

TEST_F(MeshModeDialogs, CountsMustBeWholeNumbersFrom1To999) {
    struct Case {
        const char* count1;
        const char* count2;
        std::optional<std::pair<int, int>> taken;
    };
    const Case cases[] = {{"0", "1", {}},         {"1", "1000", {}}, {"999", "999", {{999, 999}}},
                          {" 7 ", "2", {{7, 2}}}, {"1.5", "1", {}},  {"abc", "1", {}},
                          {"", "1", {}}};
    for (const Case& c : cases) {
        dialogs.shown.clear();
        DivisionCountDialog dialog(nullptr);
        EXPECT_EQ(dialog.count1->text(), "1");
        EXPECT_EQ(dialog.count2->text(), "1");
        dialog.show();
        dialog.count1->setText(c.count1);
        dialog.count2->setText(c.count2);
        QTest::mouseClick(dialog.ok, Qt::LeftButton);
        const std::string which = std::string(c.count1) + " / " + c.count2;
        EXPECT_EQ(dialog.isVisible(), !c.taken) << which;
        EXPECT_EQ(dialogs.Messages(), c.taken ? Strings{} : Strings{kMeshCountRange}) << which;
        EXPECT_EQ(dialog.Counts(), c.taken.value_or(std::make_pair(1, 1))) << which;
    }
}

TEST_F(MeshModeDialogs, CoordinatesMustBeFiniteNumbersWithin1e9) {
    struct Case {
        const char* text;
        const char* refusal;  // null: taken
        double value;
    };
    const Case cases[] = {{"12.5", nullptr, 12.5},
                          {" -1000000000 ", nullptr, -1e9},
                          {"1e300", kMeshCoordinateRange, 0},
                          {"1000000000.5", kMeshCoordinateRange, 0},
                          {"nan", kMeshCoordinateRange, 0},
                          {"1e999", kMeshCoordinateRange, 0},
                          {"abc", kMeshNotANumber, 0},
                          {"12.5x", kMeshNotANumber, 0},
                          {"", kMeshNotANumber, 0},
                          {"+-1", kMeshNotANumber, 0}};
    for (const Case& c : cases) {
        dialogs.shown.clear();
        NodeCoordinatesDialog dialog(nullptr, {1.5, -2.0, 0.1});
        EXPECT_EQ(dialog.z->text(), "0.1");
        dialog.show();
        dialog.y->setText(c.text);
        QTest::mouseClick(dialog.ok, Qt::LeftButton);
        EXPECT_EQ(dialog.isVisible(), c.refusal != nullptr) << c.text;
        EXPECT_EQ(dialogs.Messages(), c.refusal ? Strings{c.refusal} : Strings{}) << c.text;
        const MeshVertex got = dialog.Coordinates();
        EXPECT_EQ(got.y, c.refusal ? -2.0 : c.value) << c.text;
        EXPECT_EQ(got.x, 1.5);
        EXPECT_EQ(got.z, 0.1) << "the shown text reads back as the same double";
    }
}

// Runs `act` on the modal dialog once it is up.
void WhenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        act(modal);
    });
}

void PressOk(QWidget* dialog) {
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("1")), Qt::LeftButton);
}

void PressEscape(QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); }

TEST_F(MeshModeDialogs, TheModalSetAnswersOkAndNothingWhenCancelled) {
    QtMeshDialogs set(nullptr);
    WhenModal(PressOk);
    EXPECT_EQ(set.DivisionCounts(), std::make_pair(1, 1));
    WhenModal(PressEscape);
    EXPECT_EQ(set.DivisionCounts(), std::nullopt);

    WhenModal(PressOk);
    EXPECT_EQ(set.NodeCoordinates({3.0, 4.0, 5.0}).value_or(MeshVertex{}).z, 5.0);
    WhenModal([](QWidget* dialog) { dialog->close(); });
    EXPECT_FALSE(set.NodeCoordinates({3.0, 4.0, 5.0}));

    WhenModal([](QWidget* dialog) {
        auto* order = static_cast<NodeOrderDialog*>(dialog);
        Move(*order, "2");
        Move(*order, "1");
        PressOk(dialog);
    });
    EXPECT_EQ(set.NodeOrder({"1", "2"}), (Strings{"2", "1"}));
    WhenModal(PressEscape);
    EXPECT_EQ(set.NodeOrder({"1", "2"}), std::nullopt);

    WhenModal(PressOk);
    EXPECT_EQ(set.AddNodeSpan({3, 1, 2}), 0) << "the first entry in text order";
    WhenModal(PressEscape);
    EXPECT_EQ(set.AddNodeSpan({3, 1, 2}), std::nullopt);
    EXPECT_TRUE(dialogs.Messages().empty());
}

}  // namespace
