// Rolling up, resizing, closing and re-docking the panes of the main window
// with the mouse.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>
#include <map>

#include "session/MainDialog.h"
#include "session/ViewContainer.h"
#include "toolkit/CaptionControl.h"
#include "toolkit/DockingMenu.h"
#include "toolkit/PaneWindow.h"

namespace {

using toolkit::CaptionControl;
using toolkit::DockSide;
using toolkit::PaneWindow;

CaptionControl* Control(PaneWindow* pane, CaptionControl::Kind kind) {
    for (auto* c : pane->findChildren<CaptionControl*>()) {
        if (c->ControlKind() == kind) return c;
    }
    return nullptr;
}

struct Window {
    Window() {
        dialog.show();
        QApplication::processEvents();
    }
    ViewContainer* C() { return dialog.Container(); }
    MainDialog dialog;
};

void MoveWithButton(QWidget* w, const QPoint& local) {
    QMouseEvent move(QEvent::MouseMove, QPointF(local), w->mapToGlobal(QPointF(local)), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

void ChooseRow(PaneWindow* pane, int row) {
    pane->OpenDockingMenu(pane->mapToGlobal(QPoint(150, 60)));
    toolkit::DockingMenu* menu = pane->OpenMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), "popup");
    EXPECT_EQ(menu->size(), QSize(100, 78));
    const QPoint at(20, 15 * row + 8);
    QMouseEvent move(QEvent::MouseMove, QPointF(at), menu->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(menu, &move);
    EXPECT_EQ(menu->HoveredRow(), row);
    QTest::mouseRelease(menu, Qt::LeftButton, {}, at);
    QApplication::processEvents();
}

TEST(Docking, CollapseToggleRollsUpAndRestores) {
    Window w;
    PaneWindow* control = w.C()->ControlPane();
    QTest::mouseClick(Control(control, CaptionControl::Kind::Collapse), Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_TRUE(control->IsCollapsed());
    EXPECT_EQ(control->height(), 20);
    EXPECT_EQ(w.C()->CameraPane()->geometry(), QRect(0, 20, 200, 517));
    QTest::mouseClick(Control(control, CaptionControl::Kind::Collapse), Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_FALSE(control->IsCollapsed());
    EXPECT_GT(control->height(), 20);
}

TEST(Docking, EditorPaneHasNoCaptionControls) {
    Window w;
    EXPECT_TRUE(w.C()->EditorPane()->findChildren<CaptionControl*>().isEmpty());
    EXPECT_EQ(w.C()->ControlPane()->findChildren<CaptionControl*>().size(), 3);
}

TEST(Docking, LeftPaneNeverNarrowerThan150) {
    Window w;
    PaneWindow* camera = w.C()->CameraPane();
    const QPoint edge(camera->width() - 2, 100);
    QTest::mousePress(camera, Qt::LeftButton, {}, edge);
    MoveWithButton(camera, QPoint(-300, 100));
    QTest::mouseRelease(camera, Qt::LeftButton, {}, QPoint(-300, 100));
    QApplication::processEvents();
    EXPECT_EQ(camera->width(), 150);
    // The other pane of the column takes the new width; the editor follows.
    EXPECT_EQ(w.C()->ControlPane()->width(), 150);
    EXPECT_EQ(w.C()->EditorPane()->x(), 150);
}

TEST(Docking, DraggingTheSharedEdgeGivesTheNeighbourLess) {
    Window w;
    PaneWindow* control = w.C()->ControlPane();
    PaneWindow* camera = w.C()->CameraPane();
    const int before = control->height();
    const QPoint edge(100, control->height() - 2);
    QTest::mousePress(control, Qt::LeftButton, {}, edge);
    MoveWithButton(control, edge + QPoint(0, 60));
    QTest::mouseRelease(control, Qt::LeftButton, {}, edge + QPoint(0, 60));
    QApplication::processEvents();
    EXPECT_NEAR(control->height(), before + 60, 1);
    EXPECT_EQ(camera->y(), control->height());
    EXPECT_NEAR(camera->height(), 537 - control->height(), 1);
}

TEST(Docking, OuterEdgeCannotBeGrabbed) {
    Window w;
    PaneWindow* control = w.C()->ControlPane();
    const int width = control->width();
    QTest::mousePress(control, Qt::LeftButton, {}, QPoint(1, 100));
    MoveWithButton(control, QPoint(-50, 100));
    QTest::mouseRelease(control, Qt::LeftButton, {}, QPoint(-50, 100));
    EXPECT_EQ(control->width(), width);
    EXPECT_EQ(control->x(), 0);
}

TEST(Docking, DockRightMovesCameraToAHundredWideColumn) {
    Window w;
    PaneWindow* camera = w.C()->CameraPane();
    ChooseRow(camera, 3);  // ドッキング(右)
    EXPECT_EQ(camera->Side(), toolkit::DockSide::Right);
    EXPECT_EQ(camera->parentWidget(), w.C());
    EXPECT_EQ(camera->width(), 100);
    EXPECT_EQ(camera->x(), 799 - 100);
    EXPECT_EQ(w.C()->ControlPane()->height(), 537) << "Control has the left column to itself";
    EXPECT_EQ(w.C()->EditorPane()->width(), 800 - 200 - 100);
    EXPECT_EQ(camera->OpenMenu(), nullptr);
}

// The docked panes of each side, top to bottom, as "Left: Camera, Control /
// Right: …" (sides without panes left out).
std::string Sides(ViewContainer* c) {
    std::map<DockSide, std::vector<PaneWindow*>> sides;
    for (PaneWindow* pane : {c->ControlPane(), c->CameraPane()}) {
        if (pane->IsDocked()) sides[pane->Side()].push_back(pane);
    }
    static const std::pair<DockSide, const char*> names[] = {
        {DockSide::Left, "Left"}, {DockSide::Top, "Top"}, {DockSide::Right, "Right"}, {DockSide::Bottom, "Bottom"}};
    std::string text;
    for (const auto& [side, name] : names) {
        auto& panes = sides[side];
        if (panes.empty()) continue;
        std::sort(panes.begin(), panes.end(), [](PaneWindow* a, PaneWindow* b) { return a->y() < b->y(); });
        text += std::string(text.empty() ? "" : " / ") + name + ":";
        for (PaneWindow* pane : panes) text += " " + pane->windowTitle().toStdString();
    }
    return text;
}

struct RedockCase {
    const char* name;
    std::vector<std::pair<const char*, int>> choices;  // pane, menu row
    const char* sides;
    int extent;  // of the last pane moved: width in a column, height in a row
};

class Redocking : public ::testing::TestWithParam<RedockCase> {};

// A re-docked pane is the last of its side and takes the extent of the
// other panes there, as a pane made afresh would.
TEST_P(Redocking, PaneJoinsItsSideLast) {
    const RedockCase& c = GetParam();
    Window w;
    PaneWindow* last = nullptr;
    for (const auto& [name, row] : c.choices) {
        last = std::string(name) == "Camera" ? w.C()->CameraPane() : w.C()->ControlPane();
        ChooseRow(last, row);
    }
    EXPECT_EQ(Sides(w.C()), c.sides);
    const bool row = last->Side() == DockSide::Top || last->Side() == DockSide::Bottom;
    EXPECT_EQ(row ? last->height() : last->width(), c.extent);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Redocking,
    ::testing::Values(
        RedockCase{"CameraRightThenControlRight", {{"Camera", 3}, {"Control", 3}}, "Right: Camera Control", 100},
        RedockCase{"ControlLeftAgainGoesBelowCamera", {{"Control", 1}}, "Left: Camera Control", 200},
        RedockCase{"CameraLeftAgainStaysLast", {{"Camera", 1}}, "Left: Control Camera", 200},
        RedockCase{"FloatingPaneDocksLast", {{"Control", 0}, {"Control", 1}}, "Left: Camera Control", 200},
        RedockCase{"LonePaneAgainOnItsSideCountsItselfOut", {{"Camera", 3}, {"Control", 1}},
                   "Left: Control / Right: Camera", 100},
        RedockCase{"RowAgainMeasuresOnlyTheOthers", {{"Camera", 2}, {"Control", 2}, {"Control", 2}},
                   "Top: Camera Control", 100},
        RedockCase{"BottomRowAddsTheOthersHeights", {{"Camera", 4}, {"Control", 4}, {"Camera", 4}},
                   "Bottom: Control Camera", 100}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Docking, UndockFloatsTenUpAndLeftWithTheSameSizeAndCaption) {
    Window w;
    PaneWindow* camera = w.C()->CameraPane();
    const QRect before(camera->mapToGlobal(QPoint(0, 0)), camera->size());
    ChooseRow(camera, 0);  // ドッキングを解除
    EXPECT_TRUE(camera->isWindow());
    EXPECT_EQ(camera->Side(), toolkit::DockSide::Floating);
    EXPECT_EQ(camera->geometry(), before.translated(-10, -10));
    EXPECT_EQ(camera->windowTitle(), "Camera");
    EXPECT_EQ(w.C()->ControlPane()->height(), 537);
}

TEST(Docking, CloseControlTakesThePaneOut) {
    Window w;
    PaneWindow* camera = w.C()->CameraPane();
    QTest::mouseClick(Control(camera, CaptionControl::Kind::Close), Qt::LeftButton, {}, QPoint(8, 8));
    QApplication::processEvents();
    EXPECT_TRUE(camera->IsClosed());
    EXPECT_FALSE(camera->isVisible());
    EXPECT_EQ(w.C()->ControlPane()->height(), 537);
}

TEST(Docking, ClickNeedsLessThanTwoPixelsOfMovement) {
    Window w;
    PaneWindow* control = w.C()->ControlPane();
    CaptionControl* collapse = Control(control, CaptionControl::Kind::Collapse);
    QTest::mousePress(collapse, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseRelease(collapse, Qt::LeftButton, {}, QPoint(6, 4));
    EXPECT_FALSE(control->IsCollapsed());
}

// Counts what the editor view window receives.
class WheelCounter : public QObject {
public:
    int wheels = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Wheel) ++wheels;
        return false;
    }
};

struct EditorWheelCase {
    const char* name;
    int x, y;  // in the Editor pane; negative counts from the right or bottom
    int wheels;
};

class EditorPaneWheel : public ::testing::TestWithParam<EditorWheelCase> {};

// Anywhere strictly inside the Editor pane the wheel zooms the editor view;
// on the pane's outermost pixels it does not.
TEST_P(EditorPaneWheel, ZoomsStrictlyInside) {
    const EditorWheelCase& c = GetParam();
    Window w;
    WheelCounter counter;
    w.C()->EditorView()->installEventFilter(&counter);
    PaneWindow* pane = w.C()->EditorPane();
    const QPointF at(c.x < 0 ? pane->width() + c.x : c.x, c.y < 0 ? pane->height() + c.y : c.y);
    QWidget* target = pane->childAt(at.toPoint());
    if (!target) target = pane;
    const QPointF local = target->mapFrom(pane, at);
    QWheelEvent wheel(local, target->mapToGlobal(local), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
    EXPECT_EQ(counter.wheels, c.wheels);
}

INSTANTIATE_TEST_SUITE_P(Cases, EditorPaneWheel,
                         ::testing::Values(EditorWheelCase{"CaptionStrip", 300, 10, 1},
                                           EditorWheelCase{"CaptionNextToTheFrame", 1, 1, 1},
                                           EditorWheelCase{"LeftMargin", 2, 200, 1},
                                           EditorWheelCase{"BottomMargin", 300, -2, 1},
                                           EditorWheelCase{"OverTheView", 300, 200, 1},
                                           EditorWheelCase{"LeftFrame", 0, 10, 0},
                                           EditorWheelCase{"TopFrame", 300, 0, 0},
                                           EditorWheelCase{"RightFrame", -1, 10, 0},
                                           EditorWheelCase{"BottomFrame", 300, -1, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// The hovered row's band is part of the one dark layer blended over the
// capture at 128 of 255: blue = (255·128 + below·127) / 255, not darkened by
// a second blend.
TEST(DockingMenu, HoveredBandIsBlendedOnceWithTheDarkLayer) {
    Window w;
    // Something bright beneath the menu, so that a darker band shows.
    QWidget bright(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    bright.setAutoFillBackground(true);
    bright.setPalette(QPalette(QColor(220, 160, 100)));
    bright.setGeometry(300, 300, 200, 200);
    bright.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bright));
    PaneWindow* camera = w.C()->CameraPane();
    // The menu captures the screen when it opens. Tests running beside this
    // one share the display and may briefly cover the bright window: open
    // the menu again until its capture sees it.
    toolkit::DockingMenu* menu = nullptr;
    for (int attempt = 0; attempt < 40; ++attempt) {
        bright.raise();
        QTest::qWait(50);
        camera->OpenDockingMenu(QPoint(400, 400));
        menu = camera->OpenMenu();
        ASSERT_NE(menu, nullptr);
        const QImage& capture = menu->Capture();
        if (!capture.isNull() && capture.pixelColor(0, 0).red() > 150 &&
            capture.pixelColor(capture.width() - 1, capture.height() - 1).red() > 150)
            break;
        camera->CloseDockingMenu();
        menu = nullptr;
    }
    ASSERT_NE(menu, nullptr) << "the bright window stayed covered";
    const int row = 2;
    const QPoint hover(50, 15 * row + 8);
    QMouseEvent move(QEvent::MouseMove, QPointF(hover), menu->mapToGlobal(QPointF(hover)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(menu, &move);
    ASSERT_EQ(menu->HoveredRow(), row);
    const QImage below = menu->Capture();
    ASSERT_EQ(below.size(), menu->size());
    const QImage shown = menu->grab().toImage();
    auto blend = [](int layer, int beneath) { return (layer * 128 + beneath * 127) / 255.0; };
    const int band = 15 * row + 3;
    // Left of the texts (x < 3): the band's first and last rows, the rows
    // just outside it, and the menu's first and last rows.
    for (int y : {band, band + 11, band - 1, band + 12, 0, 77}) {
        for (int x : {0, 2}) {
            const QColor under = below.pixelColor(x, y);
            ASSERT_GT(under.red(), 150) << "the capture must see the bright window";
            const bool inBand = y >= band && y < band + 12;
            const QColor got = shown.pixelColor(x, y);
            EXPECT_NEAR(got.red(), blend(0, under.red()), 2) << x << "," << y;
            EXPECT_NEAR(got.green(), blend(0, under.green()), 2) << x << "," << y;
            EXPECT_NEAR(got.blue(), blend(inBand ? 255 : 0, under.blue()), 2) << x << "," << y;
        }
    }
    camera->CloseDockingMenu();
}

TEST(Docking, WheelOverTheCameraPaneDoesNotReachTheEditorView) {
    Window w;
    WheelCounter counter;
    w.C()->EditorView()->installEventFilter(&counter);
    QWidget* target = w.C()->CameraPane()->Content();
    const QPointF at(20, 20);
    QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
    EXPECT_EQ(counter.wheels, 0);
}

}  // namespace
