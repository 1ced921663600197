// The owner-drawn controls driven with mouse and focus events.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "PostedMessage.h"
#include "ScriptedDialogs.h"
#include "toolkit/CheckItem.h"
#include "toolkit/ColourButton.h"
#include "toolkit/DropDownBox.h"
#include "toolkit/NumericEdit.h"
#include "toolkit/ScrollBar.h"

namespace {

using toolkit::NumericEdit;

class Parent : public QWidget {
public:
    std::vector<std::pair<int, intptr_t>> got;

protected:
    bool event(QEvent* e) override {
        if (const auto* m = platform::AsWindowMessage(e)) {
            got.emplace_back(m->message, m->wParam);
            return true;
        }
        return QWidget::event(e);
    }
};

struct EditCase {
    const char* name;
    NumericEdit::Kind kind;
    const char* typed;
    const char* shown;
};

class NumericEditCases : public ::testing::TestWithParam<EditCase> {};

TEST_P(NumericEditCases, RewrittenWhenTheFocusLeaves) {
    const EditCase& c = GetParam();
    QWidget window;
    auto* edit = new NumericEdit(&window, QRect(0, 0, 60, 15), c.kind, 0.1, 10.0);
    auto* other = new QLineEdit(&window);
    other->move(0, 30);
    window.show();
    QApplication::setActiveWindow(&window);
    edit->setFocus();
    QApplication::processEvents();
    edit->setText(QString::fromUtf8(c.typed));
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(edit->text().toStdString(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumericEditCases,
    ::testing::Values(EditCase{"LimitedAboveMaximum", NumericEdit::kLimitedReal, "25", "10.0"},
                      EditCase{"LimitedNotANumber", NumericEdit::kLimitedReal, "abc", "0.1"},
                      EditCase{"LimitedInside", NumericEdit::kLimitedReal, "2.25", "2.2"},
                      EditCase{"RealOneDecimal", NumericEdit::kReal, "12.34", "12.3"},
                      EditCase{"IntegerTruncates", NumericEdit::kInteger, "7.9", "7"},
                      EditCase{"IntegerLeadingDigits", NumericEdit::kInteger, "42abc", "42"},
                      EditCase{"IntegerEmpty", NumericEdit::kInteger, "", "0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CheckItem, PressTogglesAndPostsItsIndex) {
    Parent parent;
    auto* item = new toolkit::CheckItem(&parent, QPoint(5, 5), QStringLiteral("節点"), 3, false);
    parent.show();
    EXPECT_EQ(item->height(), QFontMetrics(item->font()).height());
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(3, 3));
    QApplication::processEvents();
    EXPECT_TRUE(item->IsChecked());
    ASSERT_EQ(parent.got.size(), 1u);
    EXPECT_EQ(parent.got[0], std::make_pair(1028, intptr_t{3}));
}

TEST(ScrollBar, ThumbFollowsTheMetricsAndDragPosts) {
    Parent parent;
    auto* bar = new toolkit::ScrollBar(&parent, QRect(0, 0, 12, 200));
    parent.show();
    bar->SetMetrics(0, 100, 400);
    EXPECT_EQ(bar->ThumbLength(), 50);
    bar->SetMetrics(0, 300, 200);
    EXPECT_EQ(bar->ThumbLength(), 200) << "content that fits takes the whole track";
    bar->SetMetrics(300, 100, 400);
    EXPECT_DOUBLE_EQ(bar->ThumbFraction(), 1.0);
    bar->SetMetrics(0, 100, 400);
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(5, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 85), bar->mapToGlobal(QPointF(5, 85)), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(5, 85));
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(bar->ThumbFraction(), 0.5);
    ASSERT_FALSE(parent.got.empty());
    EXPECT_EQ(parent.got.back().first, 1024);
}

TEST(DropDownBox, ClickOpensListPickChoosesAndPosts) {
    QWidget window;
    window.resize(300, 300);
    auto* parent = new Parent;
    parent->setParent(&window);
    parent->setGeometry(0, 0, 300, 300);
    auto* box = new toolkit::DropDownBox(parent, QRect(10, 10, 100, 20), 7);
    box->SetEntries({"1F", "2F", "3F", "4F", "5F", "6F", "7F", "RF"});
    window.show();
    QApplication::processEvents();
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(box->IsOpen());
    toolkit::DropDownList* list = box->List();
    EXPECT_EQ(list->objectName(), "ComboBoxPop");
    EXPECT_EQ(list->geometry(), QRect(10, 30, 100, 72));
    // The arrows scroll by a row, never past the ends.
    const QPoint up(list->width() - 5, 3), down(list->width() - 5, 70);
    QTest::mousePress(list, Qt::LeftButton, {}, up);
    EXPECT_EQ(list->FirstRow(), 0);
    for (int i = 0; i < 5; ++i) QTest::mousePress(list, Qt::LeftButton, {}, down);
    EXPECT_EQ(list->FirstRow(), 2);
    // The wheel goes to the open list and is taken.
    EXPECT_TRUE(box->OfferWheel(120));
    EXPECT_EQ(list->FirstRow(), 1);
    QTest::mousePress(list, Qt::LeftButton, {}, QPoint(10, 12 * 2 + 5));  // third visible row: "4F"
    QApplication::processEvents();
    EXPECT_FALSE(box->IsOpen());
    EXPECT_EQ(box->Text(), "4F");
    ASSERT_EQ(parent->got.size(), 1u);
    EXPECT_EQ(parent->got[0].first, 1125);
    EXPECT_FALSE(box->OfferWheel(120)) << "a closed box leaves the wheel alone";
}

TEST(ColourButton, ChosenColourReplacesCancelKeeps) {
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope(dialogs);
    dialogs.colourAnswers = {std::nullopt, 0x030201u};
    QWidget parent;
    auto* button = new toolkit::ColourButton(&parent, QRect(0, 0, 20, 20), 255);
    parent.show();
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(button->Colour(), 255u);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(button->Colour(), 0x030201u);
}

}  // namespace
