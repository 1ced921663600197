// Arrangement of docked panes: column sharing, collapsed panes, the centre's
// minimum and the positions of every side.

#include <gtest/gtest.h>

#include "toolkit/PaneLayout.h"

using toolkit::DockSide;
using toolkit::PaneRect;

namespace {

class FakePane : public toolkit::LayoutPane {
public:
    FakePane(DockSide side, PaneRect rect, bool collapsed = false)
        : side_(side), rect_(rect), collapsed_(collapsed) {}
    DockSide Side() const override { return side_; }
    bool IsDocked() const override { return side_ != DockSide::Floating; }
    bool IsCollapsed() const override { return collapsed_; }
    PaneRect Rect() const override { return rect_; }
    void SetRect(const PaneRect& rect) override { rect_ = rect; }

private:
    DockSide side_;
    PaneRect rect_;
    bool collapsed_;
};

void Arrange(std::vector<FakePane*> panes, int w, int h) {
    std::vector<toolkit::LayoutPane*> list(panes.begin(), panes.end());
    toolkit::AssignOrder(list);
    toolkit::ArrangePanes(list, w, h);
}

TEST(PaneLayout, StartUpLayoutOfTheViewArea) {
    // Editor first, then Control and Camera, all created 200 × 200.
    FakePane editor(DockSide::Centre, {0, 0, 200, 200});
    FakePane control(DockSide::Left, {0, 0, 200, 200});
    FakePane camera(DockSide::Left, {0, 0, 200, 200});
    Arrange({&editor, &control, &camera}, 800, 538);
    EXPECT_EQ(control.order, 1);
    EXPECT_EQ(camera.order, 2);
    EXPECT_EQ(editor.order, 0);
    // 537 shared equally, rounded half up.
    EXPECT_EQ(control.Rect(), (PaneRect{0, 0, 200, 269}));
    EXPECT_EQ(camera.Rect(), (PaneRect{0, 269, 200, 269}));
    EXPECT_EQ(editor.Rect(), (PaneRect{200, 0, 600, 537}));
}

TEST(PaneLayout, LeftPanesShareTheAvailableHeightInProportion) {
    FakePane a(DockSide::Left, {0, 0, 200, 300});
    FakePane b(DockSide::Left, {0, 0, 200, 100});
    Arrange({&a, &b}, 600, 201);  // available = 200
    EXPECT_EQ(a.Rect().height, 150);
    EXPECT_EQ(b.Rect().height, 50);
    EXPECT_EQ(b.Rect().y, 150);
}

TEST(PaneLayout, CollapsedPaneKeepsItsCaptionAndIsLeftOutOfTheSharing) {
    FakePane a(DockSide::Left, {0, 0, 200, 300}, true);
    FakePane b(DockSide::Left, {0, 0, 200, 100});
    Arrange({&a, &b}, 600, 201);
    EXPECT_EQ(a.Rect().height, 20);
    EXPECT_EQ(b.Rect().height, 180);
}

TEST(PaneLayout, NoPaneBelowItsCaption) {
    FakePane a(DockSide::Left, {0, 0, 200, 1000});
    FakePane b(DockSide::Left, {0, 0, 200, 1});
    Arrange({&a, &b}, 600, 101);
    EXPECT_EQ(b.Rect().height, 20);
}

TEST(PaneLayout, CentreNeverLowerThanTheLeftColumnsCaptions) {
    FakePane editor(DockSide::Centre, {0, 0, 200, 200});
    FakePane a(DockSide::Left, {0, 0, 200, 200});
    FakePane b(DockSide::Left, {0, 0, 200, 200});
    Arrange({&editor, &a, &b}, 600, 10);
    EXPECT_EQ(editor.Rect().height, 40);
}

TEST(PaneLayout, CollapsedCentreIsACaption) {
    FakePane editor(DockSide::Centre, {0, 0, 200, 200}, true);
    Arrange({&editor}, 600, 400);
    EXPECT_EQ(editor.Rect(), (PaneRect{0, 0, 600, 20}));
}

TEST(PaneLayout, EverySidePlaced) {
    FakePane top(DockSide::Top, {0, 0, 50, 30});
    FakePane left(DockSide::Left, {0, 0, 120, 100});
    FakePane right(DockSide::Right, {0, 0, 90, 100});
    FakePane centre(DockSide::Centre, {0, 0, 10, 10});
    FakePane bottom(DockSide::Bottom, {0, 0, 50, 40});
    FakePane floating(DockSide::Floating, {5, 5, 70, 70});
    Arrange({&top, &left, &right, &centre, &bottom, &floating}, 500, 301);
    const int available = 300 - 30 - 40;
    EXPECT_EQ(top.Rect(), (PaneRect{0, 0, 499, 30}));
    EXPECT_EQ(left.Rect(), (PaneRect{0, 30, 120, available}));
    EXPECT_EQ(right.Rect(), (PaneRect{499 - 90, 30, 90, available}));
    EXPECT_EQ(centre.Rect(), (PaneRect{120, 30, 500 - 90 - 120, available}));
    EXPECT_EQ(bottom.Rect(), (PaneRect{0, 30 + available, 499, 40}));
    EXPECT_EQ(floating.Rect(), (PaneRect{5, 5, 70, 70}));
    EXPECT_EQ(floating.order, 0);
}

TEST(PaneLayout, LeftColumnIsAsWideAsItsWidestPane) {
    FakePane centre(DockSide::Centre, {0, 0, 10, 10});
    FakePane narrow(DockSide::Left, {0, 0, 150, 100});
    FakePane wide(DockSide::Left, {0, 0, 230, 100});
    Arrange({&centre, &narrow, &wide}, 800, 401);
    EXPECT_EQ(narrow.Rect().width, 150);
    EXPECT_EQ(centre.Rect().x, 230);
    EXPECT_EQ(centre.Rect().width, 570);
}

}  // namespace

namespace {

using toolkit::Edges;

TEST(PaneEdges, InnerEdgeGrabbedOuterEdgeNot) {
    const PaneRect container{0, 0, 800, 538};
    const PaneRect control{0, 0, 200, 269};
    // The right edge borders the editor: grabbable.
    EXPECT_EQ(toolkit::GrabbableEdges(control, container, 198, 100, false, false), (Edges{false, false, true, false}));
    // The left edge lies on the container's edge: not.
    EXPECT_EQ(toolkit::GrabbableEdges(control, container, 2, 100, false, false), Edges{});
    // The bottom edge borders the Camera pane: grabbable; the top is the container's.
    EXPECT_EQ(toolkit::GrabbableEdges(control, container, 100, 268, false, false), (Edges{false, false, false, true}));
    EXPECT_EQ(toolkit::GrabbableEdges(control, container, 100, 1, false, false), Edges{});
    // Far from any edge.
    EXPECT_EQ(toolkit::GrabbableEdges(control, container, 100, 100, false, false), Edges{});
}

TEST(PaneEdges, FloatingPaneOffersEveryEdgeCollapsedNone) {
    const PaneRect pane{50, 50, 200, 100};
    EXPECT_TRUE(toolkit::GrabbableEdges(pane, pane, 51, 100, true, false).left);
    EXPECT_EQ(toolkit::GrabbableEdges(pane, {0, 0, 800, 600}, 249, 100, false, true), Edges{});
}

TEST(PaneResize, NeverNarrowerThan150NorLowerThan20) {
    const PaneRect r{0, 0, 200, 269};
    EXPECT_EQ(toolkit::ResizedRect(r, {false, false, true, false}, -500, 0), (PaneRect{0, 0, 150, 269}));
    EXPECT_EQ(toolkit::ResizedRect(r, {false, false, false, true}, 0, -400), (PaneRect{0, 0, 200, 20}));
    // A left edge moves the pane's left side; the right side stays.
    EXPECT_EQ(toolkit::ResizedRect({300, 0, 200, 100}, {true, false, false, false}, 30, 0), (PaneRect{330, 0, 170, 100}));
    EXPECT_EQ(toolkit::ResizedRect({300, 0, 200, 100}, {true, false, false, false}, 300, 0), (PaneRect{350, 0, 150, 100}));
}

TEST(PaneResize, NeighbourInTheColumnGivesWay) {
    FakePane editor(DockSide::Centre, {200, 0, 600, 400});
    FakePane control(DockSide::Left, {0, 0, 200, 300});
    FakePane camera(DockSide::Left, {0, 300, 200, 237});
    std::vector<toolkit::LayoutPane*> z{&editor, &control, &camera};
    toolkit::AssignOrder(z);
    control.SetRect({0, 0, 230, 360});  // dragged 60 taller by its bottom edge, and wider
    toolkit::AdjustNeighbours(z, &control, {false, false, false, true}, 30, 60);
    EXPECT_EQ(camera.Rect().height, 177);
    EXPECT_EQ(camera.Rect().width, 230);
    EXPECT_EQ(editor.Rect(), (PaneRect{200, 0, 600, 400}));
}

TEST(PaneResize, CentreLeftEdgeNarrowsTheLeftColumn) {
    FakePane editor(DockSide::Centre, {200, 0, 600, 400});
    FakePane control(DockSide::Left, {0, 0, 200, 300});
    FakePane camera(DockSide::Left, {0, 300, 180, 237});
    std::vector<toolkit::LayoutPane*> z{&editor, &control, &camera};
    toolkit::AssignOrder(z);
    toolkit::AdjustNeighbours(z, &editor, {true, false, false, false}, 40, 0);
    EXPECT_EQ(control.Rect().width, 160);
    EXPECT_EQ(camera.Rect().width, 150);
}

TEST(PaneResize, LastTopPaneBottomEdgeIsAbsorbed) {
    FakePane a(DockSide::Top, {0, 0, 800, 100});
    FakePane b(DockSide::Top, {0, 100, 800, 100});
    std::vector<toolkit::LayoutPane*> z{&a, &b};
    toolkit::AssignOrder(z);
    toolkit::AdjustNeighbours(z, &b, {false, false, false, true}, 0, 50);
    EXPECT_EQ(a.Rect().height, 100);
    toolkit::AdjustNeighbours(z, &a, {false, false, false, true}, 0, 50);
    EXPECT_EQ(b.Rect().height, 50);
}

struct MenuCase {
    const char* name;
    int x, y;
    PaneRect expected;
};

class DockingMenuPlace : public ::testing::TestWithParam<MenuCase> {};

TEST_P(DockingMenuPlace, KeptOnTheDesktop) {
    const MenuCase& c = GetParam();
    EXPECT_EQ(toolkit::PlaceDockingMenu(c.x, c.y, {0, 0, 1280, 1024}), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DockingMenuPlace,
    ::testing::Values(MenuCase{"Middle", 500, 500, {490, 450, 100, 78}},
                      MenuCase{"TopLeftCorner", 3, 20, {0, 0, 100, 78}},
                      MenuCase{"RightEdge", 1275, 500, {1180, 450, 100, 78}},
                      MenuCase{"BottomEdge", 500, 1020, {490, 946, 100, 78}},
                      MenuCase{"BottomRightCorner", 1279, 1023, {1180, 946, 100, 78}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DockingMenuRows, HoveredRowBands) {
    EXPECT_EQ(toolkit::DockingMenuRowAt(1.5), -1);
    EXPECT_EQ(toolkit::DockingMenuRowAt(2), 0);
    EXPECT_EQ(toolkit::DockingMenuRowAt(16.5), 0);
    EXPECT_EQ(toolkit::DockingMenuRowAt(17), 1);
    EXPECT_EQ(toolkit::DockingMenuRowAt(76.5), 4);
    EXPECT_EQ(toolkit::DockingMenuRowAt(77), -1);
}

TEST(StrictlyInside, OuterPixelsAreNotInside) {
    const PaneRect pane{200, 0, 600, 537};  // pixels 200 … 799, 0 … 536
    struct Point { int x, y; bool inside; };
    for (const Point& p : {Point{201, 1, true}, Point{798, 535, true}, Point{500, 10, true},
                           Point{200, 10, false}, Point{799, 10, false}, Point{500, 0, false},
                           Point{500, 536, false}, Point{800, 10, false}, Point{150, 10, false}}) {
        EXPECT_EQ(toolkit::StrictlyInside(pane, p.x, p.y), p.inside) << p.x << "," << p.y;
    }
    EXPECT_FALSE(toolkit::StrictlyInside({0, 0, 2, 2}, 1, 1)) << "a pane of 2 pixels has no inside";
}

}  // namespace
