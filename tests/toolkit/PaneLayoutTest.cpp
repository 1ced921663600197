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
