// The Camera pane: the projection radios at start, the view and image
// buttons, the projection choice, the drag pad and the scroller.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include <bit>
#include <cstdint>

#include "FakeEditorView.h"
#include "TempDir.h"
#include "panels/CameraButtonsView.h"
#include "panels/CameraPane.h"
#include "panels/CameraScroller.h"
#include "panels/RotationPad.h"
#include "toolkit/PushButton.h"
#include "toolkit/RadioItem.h"
#include "toolkit/ScrollBar.h"

namespace {

struct CameraFixture {
    explicit CameraFixture(const std::string& ini = {}, QSize size = QSize(200, 400)) {
        if (!ini.empty()) testing_support::WriteFile(settings.File("Vorna3D.ini"), ini);
        pane = std::make_unique<CameraPane>(nullptr, nullptr, context, settings.File("Vorna3D.ini"));
        pane->resize(size);
        pane->show();
        QApplication::processEvents();
    }
    CameraButtonsView* Buttons() const { return pane->Scroller()->ButtonsView(); }
    // A wheel turn over the pane (sent to the pane: a sent event is not
    // passed on from the buttons view as a real turn is).
    void Wheel(int delta) {
        QWidget* target = pane.get();
        const QPointF at(10, 50);
        QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
        QApplication::processEvents();
    }

    testing_support::TempDir settings{"tormel-camera"};
    SessionContext context;
    FakeEditorView view{context};
    std::unique_ptr<CameraPane> pane;
};

// ---- projection radios at start -------------------------------------------

struct StartCase {
    const char* name;
    const char* ini;
    bool parallelChecked;
};

class StartRadios : public testing::TestWithParam<StartCase> {};

TEST_P(StartRadios, FollowTheStoredProjection) {
    const StartCase& c = GetParam();
    CameraFixture f(c.ini);
    EXPECT_EQ(f.Buttons()->PerspectiveRadio()->IsChecked(), !c.parallelChecked);
    EXPECT_EQ(f.Buttons()->ParallelRadio()->IsChecked(), c.parallelChecked);
    EXPECT_EQ(f.Buttons()->ProjectionCode(), CameraButtonsView::kPerspective) << "the code starts at 1";
    EXPECT_EQ(f.view.r.projectionSets, 0) << "the view's own setting is left alone";
}

INSTANTIATE_TEST_SUITE_P(
    Touei, StartRadios,
    testing::Values(StartCase{"Absent", "[CameraPos]\nOther=1\n", false},
                    StartCase{"NoFile", "", false},
                    StartCase{"Zero", "[CameraPos]\nTOUEI=0\n", false},
                    StartCase{"Five", "[CameraPos]\nTOUEI=5\n", true},
                    StartCase{"Text", "[CameraPos]\nTOUEI=yes\n", false}),
    [](const testing::TestParamInfo<StartCase>& info) { return std::string(info.param.name); });

// ---- view buttons ---------------------------------------------------------

struct ViewCase {
    const char* name;
    int code;
    const char* text;
    float azimuth;
    uint32_t elevationBits;
};

class ViewButtons : public testing::TestWithParam<ViewCase> {};

TEST_P(ViewButtons, SetTheCameraAndRedraw) {
    const ViewCase& c = GetParam();
    CameraFixture f;
    toolkit::PushButton* button = f.Buttons()->ViewButton(c.code);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->size(), QSize(50, 20));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(25, 10));
    QApplication::processEvents();
    EXPECT_EQ(f.view.r.azimuth, c.azimuth);
    EXPECT_EQ(std::bit_cast<uint32_t>(f.view.r.elevation), c.elevationBits);
    EXPECT_EQ(f.view.r.invalidates, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ViewButtons,
    testing::Values(ViewCase{"XPlus", 3, "X+", 0, 0}, ViewCase{"XMinus", 4, "X-", 180, 0},
                    ViewCase{"YPlus", 5, "Y+", 90, 0}, ViewCase{"YMinus", 6, "Y-", 270, 0},
                    ViewCase{"ZPlus", 7, "Z+", 270, 0x42B4000D}, ViewCase{"ZMinus", 8, "Z-", 270, 0xC2B4000D}),
    [](const testing::TestParamInfo<ViewCase>& info) { return std::string(info.param.name); });

TEST(CameraButtons, ZViewsLookJustPastTheVertical) {
    float azimuth = 0, elevation = 0;
    ASSERT_TRUE(CameraButtonsView::ViewAngles(7, azimuth, elevation));
    EXPECT_NEAR(elevation, 90.0000991821289, 1e-9);
    EXPECT_GT(elevation, 90.0f);
    ASSERT_TRUE(CameraButtonsView::ViewAngles(8, azimuth, elevation));
    EXPECT_NEAR(elevation, -90.0000991821289, 1e-9);
    EXPECT_FALSE(CameraButtonsView::ViewAngles(0, azimuth, elevation));
    EXPECT_FALSE(CameraButtonsView::ViewAngles(9, azimuth, elevation));
}

TEST(CameraButtons, ReleasedOutsideTheButtonDoesNothing) {
    CameraFixture f;
    toolkit::PushButton* button = f.Buttons()->ViewButton(6);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(25, 10));
    const QPointF outside(25, 60);
    QMouseEvent move(QEvent::MouseMove, outside, button->mapToGlobal(outside), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(button, &move);
    QTest::mouseRelease(button, Qt::LeftButton, {}, outside.toPoint());
    QApplication::processEvents();
    EXPECT_EQ(f.view.r.angleSets, 0);
    EXPECT_EQ(f.view.r.invalidates, 0);
}

TEST(CameraButtons, ImageButtonsResetAndCentreTheCamera) {
    CameraFixture f;
    EXPECT_EQ(f.Buttons()->ResetButton()->size(), QSize(16, 16));
    QTest::mouseClick(f.Buttons()->ResetButton(), Qt::LeftButton, {}, QPoint(8, 8));
    QApplication::processEvents();
    EXPECT_EQ(f.view.r.resets, 1);
    EXPECT_EQ(f.view.r.centres, 0);
    EXPECT_EQ(f.view.r.angleSets, 0) << "code 0 changes no angle";
    QTest::mouseClick(f.Buttons()->CentreButton(), Qt::LeftButton, {}, QPoint(8, 8));
    QApplication::processEvents();
    EXPECT_EQ(f.view.r.centres, 1);
    EXPECT_GE(f.view.r.invalidates, 2);
}

TEST(CameraButtons, ParallelProjectionSwitchesAtOnceAndBack) {
    CameraFixture f;
    CameraButtonsView* buttons = f.Buttons();
    QTest::mouseClick(buttons->ParallelRadio(), Qt::LeftButton, {}, QPoint(5, 7));
    QApplication::processEvents();
    EXPECT_TRUE(f.view.r.parallel);
    EXPECT_EQ(f.view.r.invalidates, 1);
    EXPECT_TRUE(buttons->ParallelRadio()->IsChecked());
    EXPECT_FALSE(buttons->PerspectiveRadio()->IsChecked());
    EXPECT_EQ(buttons->ProjectionCode(), CameraButtonsView::kParallel);
    QTest::mouseClick(buttons->PerspectiveRadio(), Qt::LeftButton, {}, QPoint(5, 7));
    QApplication::processEvents();
    EXPECT_FALSE(f.view.r.parallel);
    EXPECT_TRUE(buttons->PerspectiveRadio()->IsChecked());
    EXPECT_FALSE(buttons->ParallelRadio()->IsChecked());
}

TEST(CameraButtons, WithoutAViewNothingHappens) {
    testing_support::TempDir settings("tormel-camera");
    SessionContext context;
    CameraPane pane(nullptr, nullptr, context, settings.File("Vorna3D.ini"));
    pane.resize(200, 400);
    pane.show();
    QApplication::processEvents();
    ASSERT_EQ(context.view, nullptr);
    CameraButtonsView* buttons = pane.Scroller()->ButtonsView();
    QTest::mouseClick(buttons->ViewButton(3), Qt::LeftButton, {}, QPoint(25, 10));
    QTest::mouseClick(buttons->ResetButton(), Qt::LeftButton, {}, QPoint(8, 8));
    QTest::mouseClick(buttons->ParallelRadio(), Qt::LeftButton, {}, QPoint(5, 7));
    QApplication::processEvents();
    EXPECT_TRUE(buttons->ParallelRadio()->IsChecked()) << "the radios still follow the choice";
}

TEST(CameraButtons, DragPadTurnsTheCameraWithTheLeftButtonAlone) {
    CameraFixture f;
    RotationPad* pad = f.Buttons()->Pad();
    EXPECT_EQ(pad->objectName(), "viewpallet");
    EXPECT_EQ(pad->size(), QSize(100, 100));
    QTest::mousePress(pad, Qt::LeftButton, {}, QPoint(50, 50));
    const auto move = [&](QPointF at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
        QMouseEvent e(QEvent::MouseMove, at, pad->mapToGlobal(at), Qt::NoButton, buttons, modifiers);
        QApplication::sendEvent(pad, &e);
    };
    move({55, 47}, Qt::LeftButton, Qt::NoModifier);
    move({60, 60}, Qt::LeftButton, Qt::ShiftModifier);
    move({61, 45}, Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
    move({52, 49}, Qt::LeftButton, Qt::NoModifier);
    const std::vector<std::pair<int, int>> expected{{5, -3}, {-3, 2}};
    EXPECT_EQ(f.view.r.drags, expected);
}

// ---- placement and scrolling ----------------------------------------------

TEST(CameraLayout, ChildrenAroundTheCentreOfTheView) {
    CameraFixture f;
    CameraButtonsView* b = f.Buttons();
    ASSERT_EQ(b->width(), 193);
    const int c = 96;
    EXPECT_EQ(b->Pad()->pos(), QPoint(c - 55, 5));
    EXPECT_EQ(b->ResetButton()->pos(), QPoint(c + 50, 4));
    EXPECT_EQ(b->CentreButton()->pos(), QPoint(c + 50, 25));
    EXPECT_EQ(b->PerspectiveRadio()->geometry(), QRect(c - 45, 120, 80, 15));
    EXPECT_EQ(b->ParallelRadio()->geometry(), QRect(c - 45, 150, 80, 15));
    const QPoint views[6] = {{c - 75, 185}, {c - 75, 205}, {c - 25, 185}, {c - 25, 205}, {c + 25, 185}, {c + 25, 205}};
    for (int code = 3; code <= 8; ++code) EXPECT_EQ(b->ViewButton(code)->pos(), views[code - 3]) << code;
}

TEST(CameraScrolling, A373PixelScrollerShowsEverythingAndIgnoresTheWheel) {
    CameraFixture f({}, QSize(200, 400));
    CameraScroller* scroller = f.pane->Scroller();
    EXPECT_EQ(scroller->objectName(), "GLCameraView");
    EXPECT_EQ(scroller->height(), 373);
    EXPECT_EQ(f.Buttons()->geometry(), QRect(0, 0, 193, 250));
    EXPECT_FALSE(scroller->ScrollBarShown());
    f.Wheel(-120);
    f.Wheel(-120);
    EXPECT_EQ(scroller->Offset(), 0);
    f.Wheel(120);
    EXPECT_EQ(scroller->Offset(), 0);
    EXPECT_EQ(f.Buttons()->y(), 0);
}

TEST(CameraScrolling, A150PixelScrollerScrollsOverMinus100ToZero) {
    CameraFixture f({}, QSize(200, 177));
    CameraScroller* scroller = f.pane->Scroller();
    ASSERT_EQ(scroller->height(), 150);
    EXPECT_TRUE(scroller->ScrollBarShown());
    EXPECT_EQ(scroller->Bar()->geometry(), QRect(173, 0, 20, 150));
    EXPECT_EQ(f.Buttons()->geometry(), QRect(0, 0, 173, 250));
    for (int step = 1; step <= 10; ++step) {
        f.Wheel(-120);
        ASSERT_EQ(scroller->Offset(), -10 * step);
        ASSERT_EQ(f.Buttons()->y(), -10 * step);
    }
    f.Wheel(-120);
    EXPECT_EQ(scroller->Offset(), -100) << "stops at the bottom";
    f.Wheel(120);
    EXPECT_EQ(scroller->Offset(), -90);
    for (int i = 0; i < 12; ++i) f.Wheel(120);
    EXPECT_EQ(scroller->Offset(), 0) << "stops at the top";
}

TEST(CameraScrolling, DraggingTheThumbScrollsByItsFraction) {
    CameraFixture f({}, QSize(200, 177));
    CameraScroller* scroller = f.pane->Scroller();
    toolkit::ScrollBar* bar = scroller->Bar();
    const int free = bar->height() - bar->ThumbLength();
    ASSERT_GT(free, 0);
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(10, 1));
    const int y = free / 2 + 1;
    QMouseEvent move(QEvent::MouseMove, QPointF(10, y), bar->mapToGlobal(QPointF(10, y)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(10, y));
    QApplication::processEvents();
    EXPECT_EQ(scroller->Offset(), -static_cast<int>(100 * bar->ThumbFraction()));
    EXPECT_EQ(f.Buttons()->y(), scroller->Offset());
    EXPECT_LT(scroller->Offset(), -40);
    EXPECT_GT(scroller->Offset(), -60);
}

TEST(CameraPaneTest, NamesAndCaption) {
    CameraFixture f;
    EXPECT_EQ(f.pane->objectName(), "CameraPane");
    EXPECT_EQ(f.pane->windowTitle(), "Camera");
    EXPECT_EQ(f.Buttons()->objectName(), "GLCameraView");
    EXPECT_EQ(f.pane->Content(), f.pane->Scroller());
}

}  // namespace
