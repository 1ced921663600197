// The placement panel and the Control pane: the selectors filled from a
// project and picked with the mouse, the plan and stacked arrangements, and
// scrolling.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include "FakeEditorView.h"
#include "ProjectFixture.h"
#include "TempDir.h"
#include "panels/ControlPane.h"
#include "panels/PlacementAccess.h"
#include "panels/PlacementPanel.h"
#include "panels/RangeComboBox.h"
#include "panels/DisplayCheckItem.h"
#include "toolkit/ScrollBar.h"

namespace {

// Opens a selector's list with a click and clicks the entry `text`.
void Pick(RangeComboBox* box, const QString& text) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(10, 10));
    toolkit::DropDownList* list = box->List();
    ASSERT_NE(list, nullptr) << "the click opens the list";
    const int row = static_cast<int>(box->Entries().indexOf(text));
    ASSERT_GE(row, 0) << text.toStdString() << " is not listed";
    list->ScrollRows(row - list->FirstRow());
    const int y = (row - list->FirstRow()) * toolkit::DropDownList::kRowHeight + 6;
    QTest::mousePress(list, Qt::LeftButton, {}, QPoint(10, y));
    QApplication::processEvents();
}

QStringList Texts(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* t : texts) list << QString::fromUtf8(t);
    return list;
}

class PlacementPanelTest : public ProjectFixture {
protected:
    void Show(PlacementPanel& panel) {
        panel.resize(200, 500);
        panel.show();
        QApplication::processEvents();
    }
    testing_support::TempDir settings{"tormel-panels"};
    std::string SettingsPath() const { return settings.File("Vorna3D.ini"); }
    SessionContext context;
    FakeEditorView view{context};
};

TEST_F(PlacementPanelTest, StoreysShowLowerFirstAndUpperLast) {
    ASSERT_TRUE(AddStoreys());
    ASSERT_TRUE(AddAxes({0, 6000}, {0, 5000}));
    ASSERT_EQ(DB_restruct(0), 0);
    PlacementPanel panel(nullptr, context, SettingsPath());
    EXPECT_EQ(panel.objectName(), "GLPlaceView");
    EXPECT_EQ(context.placement, &panel);
    EXPECT_EQ(panel.Box(RangeBox::Lower)->Text(), "1F");
    EXPECT_EQ(panel.Box(RangeBox::Upper)->Text(), "RF");
    EXPECT_EQ(panel.Box(RangeBox::Upper)->Entries(), Texts({"1F", "2F", "RF"}));
    EXPECT_EQ(panel.Box(RangeBox::Lower)->Entries(), Texts({"1F", "2F", "RF"}));
    EXPECT_EQ(panel.SelectionCode(RangeSelection::LowerLayer), 1);
    EXPECT_EQ(panel.SelectionCode(RangeSelection::UpperLayer), 3);
    EXPECT_EQ(panel.SelectionCode(RangeSelection::AxisMinX), AxisNameCode("X1"));
    EXPECT_EQ(panel.SelectionCode(RangeSelection::AxisMaxX), AxisNameCode("X2"));
    EXPECT_EQ(panel.SelectionCode(RangeSelection::AxisMinY), AxisNameCode("Y1"));
    EXPECT_EQ(panel.SelectionCode(RangeSelection::AxisMaxY), AxisNameCode("Y2"));
    EXPECT_FALSE(panel.RangeShown()) << "有効範囲 starts off";
}

TEST_F(PlacementPanelTest, PickedSubLayerIsDecodedAndRedrawsTheView) {
    ASSERT_TRUE(AddStoreys());
    const int m = modeldbtest::addLevel(2, "M", 2, 1500);
    ASSERT_GT(m, 0);
    ASSERT_EQ(DB_restruct(0), 0);
    PlacementPanel panel(nullptr, context, SettingsPath());
    Show(panel);
    RangeComboBox* lower = panel.Box(RangeBox::Lower);
    EXPECT_TRUE(lower->Entries().contains("2F - M"));
    view.r = {};
    Pick(lower, "2F - M");
    EXPECT_EQ(lower->Text(), "2F - M");
    EXPECT_EQ(lower->StoredCode(), 2 + 32768 * m);
    EXPECT_EQ(panel.SelectionCode(RangeSelection::LowerLayer), 2 + 32768 * m);
    EXPECT_GE(view.r.discards, 1);
    EXPECT_GE(view.r.invalidates, 1);
}

TEST_F(PlacementPanelTest, AxesAtTheEndsAndInnerChoicesKeptAfterARefill) {
    ASSERT_TRUE(AddStoreys());
    ASSERT_TRUE(AddAxes({0, 6000, 12000, 18000}, {0, 10000}));
    ASSERT_EQ(DB_restruct(0), 0);
    PlacementPanel panel(nullptr, context, SettingsPath());
    Show(panel);
    EXPECT_EQ(panel.Box(RangeBox::XLeft)->Text(), "X1");
    EXPECT_EQ(panel.Box(RangeBox::XRight)->Text(), "X4");
    Pick(panel.Box(RangeBox::XLeft), "X2");
    Pick(panel.Box(RangeBox::XRight), "X3");
    EXPECT_EQ(panel.SelectionCode(RangeSelection::AxisMinX), AxisNameCode("X2"));

    // The model changes (one more axis outside), and the commands refill.
    ASSERT_GT(modeldbtest::addAxis("X5", 24000, -1000, 24000, 11000), 0);
    ASSERT_EQ(DB_restruct(0), 0);
    ASSERT_NE(context.placement, nullptr);
    context.placement->RefillKeepingChoices();
    EXPECT_EQ(panel.Box(RangeBox::XLeft)->Entries(), Texts({"X1", "X2", "X3", "X4", "X5"}));
    EXPECT_EQ(panel.Box(RangeBox::XLeft)->Text(), "X2");
    EXPECT_EQ(panel.Box(RangeBox::XRight)->Text(), "X3");
    EXPECT_EQ(panel.SelectionCode(RangeSelection::AxisMinX), AxisNameCode("X2"));
    EXPECT_EQ(panel.SelectionCode(RangeSelection::AxisMaxX), AxisNameCode("X3"));
    EXPECT_EQ(panel.Box(RangeBox::Lower)->Text(), "1F");
    EXPECT_EQ(panel.Box(RangeBox::Upper)->Text(), "RF");
}

TEST(PlacementRegistration, ThePanelIsInTheContextOnlyWhileItLives) {
    SessionContext context;
    {
        testing_support::TempDir settings("tormel-panels");
        PlacementPanel panel(nullptr, context, settings.File("Vorna3D.ini"));
        EXPECT_EQ(context.placement, &panel);
        EXPECT_EQ(context.items, &panel);
        EXPECT_TRUE(panel.Box(RangeBox::Upper)->Entries().isEmpty()) << "no library, no entries";
    }
    EXPECT_EQ(context.placement, nullptr);
    EXPECT_EQ(context.items, nullptr);
}

// ---- arrangement ----------------------------------------------------------

struct ArrangementCase {
    const char* name;
    int width;
    QRect upper, lower, xLeft, xRight, yLeft, yRight;
    int itemsTop;  // the first row of display items 2 to 9
};

class PanelArrangement : public testing::TestWithParam<ArrangementCase> {};

TEST_P(PanelArrangement, PlacesTheSelectorsAndItems) {
    const ArrangementCase& c = GetParam();
    testing_support::TempDir settings("tormel-panels");
    SessionContext context;
    PlacementPanel panel(nullptr, context, settings.File("Vorna3D.ini"));
    panel.resize(c.width, 600);
    panel.Relayout();
    EXPECT_EQ(panel.Box(RangeBox::Upper)->geometry(), c.upper);
    EXPECT_EQ(panel.Box(RangeBox::Lower)->geometry(), c.lower);
    EXPECT_EQ(panel.Box(RangeBox::XLeft)->geometry(), c.xLeft);
    EXPECT_EQ(panel.Box(RangeBox::XRight)->geometry(), c.xRight);
    EXPECT_EQ(panel.Box(RangeBox::YLeft)->geometry(), c.yLeft);
    EXPECT_EQ(panel.Box(RangeBox::YRight)->geometry(), c.yRight);
    EXPECT_EQ(panel.Item(1)->pos(), QPoint(5, 5));
    EXPECT_EQ(panel.Item(2)->pos(), QPoint(20, c.itemsTop));
    // Items flow left to right and wrap within the width.
    int lastY = c.itemsTop;
    for (int i = 2; i <= 9; ++i) {
        const QRect g = panel.Item(i)->geometry();
        if (g.x() > 20) {
            EXPECT_LT(g.x() + g.width() + 10, c.width) << "item " << i;
        }
        EXPECT_GE(g.y(), lastY);
        lastY = g.y();
    }
    EXPECT_EQ(panel.ContentHeight(), lastY + 30);
    EXPECT_EQ(panel.ContentHeightFor(c.width), panel.ContentHeight());
}

INSTANTIATE_TEST_SUITE_P(
    Widths, PanelArrangement,
    testing::Values(
        ArrangementCase{"Stacked169", 169, {20, 40, 129, 20}, {20, 80, 129, 20}, {20, 120, 129, 20},
                        {20, 160, 129, 20}, {20, 200, 129, 20}, {20, 240, 129, 20}, 290},
        ArrangementCase{"Plan170", 170, {55, 40, 60, 20}, {55, 190, 60, 20}, {10, 115, 60, 20},
                        {100, 115, 60, 20}, {55, 150, 60, 20}, {55, 80, 60, 20}, 240},
        ArrangementCase{"Plan300", 300, {88, 40, 125, 20}, {88, 190, 125, 20}, {10, 115, 125, 20},
                        {165, 115, 125, 20}, {88, 150, 125, 20}, {88, 80, 125, 20}, 240}),
    [](const testing::TestParamInfo<ArrangementCase>& info) { return std::string(info.param.name); });

TEST(PanelDrawing, PlanArrangementHasCornerBracketsOnTheDarkFace) {
    testing_support::TempDir settings("tormel-panels");
    SessionContext context;
    PlacementPanel panel(nullptr, context, settings.File("Vorna3D.ini"));
    panel.resize(200, 400);
    const QImage wide = panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Box width 75, a quarter of it 18: the top left bracket spans x 28 … 30
    // and y 50 … 69, the bottom right one x 155 … 174, y 200 … 202.
    EXPECT_EQ(QColor(wide.pixel(29, 60)), QColor(60, 60, 60));
    EXPECT_EQ(QColor(wide.pixel(40, 51)), QColor(60, 60, 60));
    EXPECT_EQ(QColor(wide.pixel(170, 201)), QColor(60, 60, 60));
    EXPECT_EQ(QColor(wide.pixel(31, 60)), QColor(40, 40, 40));
    EXPECT_EQ(QColor(wide.pixel(3, 100)), QColor(40, 40, 40));
    panel.resize(160, 400);
    const QImage narrow = panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(QColor(narrow.pixel(29, 60)), QColor(40, 40, 40)) << "no brackets when stacked";
}

// ---- the Control pane -----------------------------------------------------

struct PaneFixture {
    explicit PaneFixture(QSize size) : pane(nullptr, nullptr, context, settings.File("Vorna3D.ini")) {
        pane.resize(size);
        pane.show();
        QApplication::processEvents();
    }
    // A wheel turn over the panel. A turn the panel does not take goes on to
    // the pane; a sent (not spontaneous) event is not passed on, so it is
    // sent to the pane.
    void Wheel(int delta) {
        const QPointF at(30, 50);
        QWheelEvent wheel(at, pane.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&pane, &wheel);
    }
    testing_support::TempDir settings{"tormel-panels"};
    SessionContext context;
    ControlPane pane;
};

TEST(ControlPaneTest, PanelAndHiddenBarWhenTheContentFits) {
    PaneFixture f(QSize(200, 600));
    EXPECT_EQ(f.pane.objectName(), "ControlPane");
    EXPECT_EQ(f.pane.windowTitle(), "Control");
    EXPECT_EQ(f.pane.Panel()->geometry(), QRect(4, 22, 193, 577));
    EXPECT_FALSE(f.pane.ScrollBarShown());
    EXPECT_EQ(f.pane.Bar()->pos(), QPoint(220, 20));
    f.Wheel(-120);
    EXPECT_EQ(f.pane.Panel()->Offset(), 0) << "nothing to scroll";
}

TEST(ControlPaneTest, WheelStepsStopAtTheBottomAndTheTop) {
    PaneFixture f(QSize(200, 150));
    PlacementPanel* panel = f.pane.Panel();
    ASSERT_TRUE(f.pane.ScrollBarShown());
    EXPECT_EQ(panel->geometry(), QRect(4, 22, 160, 127));
    EXPECT_EQ(f.pane.Bar()->geometry(), QRect(177, 24, 20, 122));
    const int bottom = panel->height() - panel->ContentHeight();
    ASSERT_LT(bottom, -10);
    int expected = 0;
    for (int step = 0; step < 100 && expected > bottom; ++step) {
        f.Wheel(-120);
        expected = std::max(expected - 10, bottom);
        ASSERT_EQ(panel->Offset(), expected) << "step " << step;
    }
    f.Wheel(-120);
    EXPECT_EQ(panel->Offset(), bottom) << "stops at the bottom";
    EXPECT_EQ(panel->Item(1)->pos(), QPoint(5, bottom + 5)) << "the items move with the offset";
    f.Wheel(120);
    EXPECT_EQ(panel->Offset(), bottom + 10);
    for (int step = 0; step < 100 && panel->Offset() < 0; ++step) f.Wheel(120);
    EXPECT_EQ(panel->Offset(), 0);
    f.Wheel(120);
    EXPECT_EQ(panel->Offset(), 0) << "stops at the top";
}

TEST(ControlPaneTest, AnOpenListTakesTheWheel) {
    PaneFixture f(QSize(200, 150));
    RangeComboBox* box = f.pane.Panel()->Box(RangeBox::XLeft);
    box->SetEntries({"A", "B", "C", "D", "E", "F", "G", "H"});
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_TRUE(box->IsOpen());
    f.Wheel(-120);
    EXPECT_EQ(box->List()->FirstRow(), 1) << "the list scrolls by a row";
    EXPECT_EQ(f.pane.Panel()->Offset(), 0) << "the panel stays";
    box->Close();
    f.Wheel(-120);
    EXPECT_EQ(f.pane.Panel()->Offset(), -10);
}

TEST(ControlPaneTest, GrowingThePaneUntilTheContentFitsScrollsBackToTheTop) {
    PaneFixture f(QSize(200, 150));
    PlacementPanel* panel = f.pane.Panel();
    for (int i = 0; i < 5; ++i) f.Wheel(-120);
    ASSERT_EQ(panel->Offset(), -50);
    f.pane.resize(200, 160);
    EXPECT_LT(panel->Offset(), 0) << "still scrolled while the bar is needed";
    EXPECT_GE(panel->Offset(), panel->height() - panel->ContentHeight());
    f.pane.resize(200, 700);
    EXPECT_EQ(panel->Offset(), 0);
    EXPECT_FALSE(f.pane.ScrollBarShown());
}

TEST(ControlPaneTest, RollingUpAndOpeningAgainKeepsTheOffsetInRange) {
    PaneFixture f(QSize(200, 150));
    PlacementPanel* panel = f.pane.Panel();
    for (int i = 0; i < 3; ++i) f.Wheel(-120);
    ASSERT_EQ(panel->Offset(), -30);
    f.pane.SetCollapsed(true);
    EXPECT_EQ(f.pane.height(), 20);
    EXPECT_FALSE(panel->isVisible());
    f.pane.SetCollapsed(false);
    EXPECT_EQ(f.pane.height(), 150);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(f.pane.ScrollBarShown());
    EXPECT_EQ(panel->geometry(), QRect(4, 22, 160, 127));
    EXPECT_EQ(panel->Offset(), -30);
}

TEST(ControlPaneTest, DraggingTheThumbScrollsByItsFraction) {
    PaneFixture f(QSize(200, 150));
    PlacementPanel* panel = f.pane.Panel();
    toolkit::ScrollBar* bar = f.pane.Bar();
    const int free = bar->height() - bar->ThumbLength();
    ASSERT_GT(free, 0);
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(10, bar->ThumbTop() + 1));
    QMouseEvent move(QEvent::MouseMove, QPointF(10, free + 1), bar->mapToGlobal(QPointF(10, free + 1)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(10, free + 1));
    QApplication::processEvents();
    EXPECT_EQ(panel->Offset(), panel->height() - panel->ContentHeight()) << "the thumb at the bottom";
}

}  // namespace
