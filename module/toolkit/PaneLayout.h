#pragma once
// The arrangement of the docked panes of the view container: plain geometry,
// so that it can be tested without windows. Panes on the left and right are
// stacked in columns, top and bottom panes in full-width rows, and the centre
// pane fills what is left.

#include <vector>

namespace toolkit {

enum class DockSide { Left = 0, Top = 1, Right = 2, Bottom = 3, Centre = 4, Floating = -1 };

struct PaneRect {
    int x = 0, y = 0, width = 0, height = 0;
    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
    bool operator==(const PaneRect&) const = default;
};

// The height of a rolled-up pane: its caption strip.
constexpr int kCollapsedHeight = 20;

// What the arrangement knows of one pane.
class LayoutPane {
public:
    virtual ~LayoutPane() = default;
    virtual DockSide Side() const = 0;
    virtual bool IsDocked() const = 0;
    virtual bool IsCollapsed() const = 0;
    // The pane's rectangle in the container's coordinates.
    virtual PaneRect Rect() const = 0;
    virtual void SetRect(const PaneRect& rect) = 0;

    // Position within its side, 1 … n from the top or left; 0 for the centre.
    int order = 0;
};

// Gives each docked pane its order index: for each side in turn, the panes
// of that side in `zOrder` (the container's child order) get 1, 2, …; a
// centre pane gets 0. Floating and undocked panes get 0.
void AssignOrder(const std::vector<LayoutPane*>& zOrder);

// Sizes and places every docked pane in a container of client size W × H.
void ArrangePanes(const std::vector<LayoutPane*>& panes, int width, int height);

// The edges of a pane taking part in a resize.
struct Edges {
    bool left = false, top = false, right = false, bottom = false;
    bool Any() const { return left || top || right || bottom; }
    bool operator==(const Edges&) const = default;
};

// The smallest width a resize leaves a pane.
constexpr int kMinimumPaneWidth = 150;
// How near the pointer must be to an edge to grab it.
constexpr int kEdgeGrabDistance = 5;
// An edge this near the container's same edge has no neighbour to give way.
constexpr int kContainerEdgeMargin = 10;

// The edges that a pointer at `point` (container coordinates) would grab: an
// edge within 5 pixels, when it lies more than 10 pixels from the
// container's same edge or the pane floats. A collapsed pane offers none.
Edges GrabbableEdges(const PaneRect& pane, const PaneRect& container, int pointX, int pointY,
                     bool floating, bool collapsed);

// The pane's rectangle after its grabbed edges moved by (dx, dy): widths at
// least 150, heights at least 20.
PaneRect ResizedRect(const PaneRect& rect, const Edges& edges, int dx, int dy);

// After `resized` changed its size by (dWidth, dHeight) through `edges`, the
// other docked panes give way (visited in `zOrder`).
void AdjustNeighbours(const std::vector<LayoutPane*>& zOrder, LayoutPane* resized, const Edges& edges,
                      int dWidth, int dHeight);

// The docking menu's rectangle for a cursor at (x, y): 100 × 78 with its
// corner at (x - 10, y - 50), kept inside the desktop.
PaneRect PlaceDockingMenu(int cursorX, int cursorY, const PaneRect& desktop);

// The docking menu's row under a y coordinate of its client area (0 … 4),
// or -1.
int DockingMenuRowAt(double y);

// Whether the pixel (x, y) lies strictly inside `rect`: within it and not on
// its outermost row or column of pixels.
bool StrictlyInside(const PaneRect& rect, int x, int y);

}  // namespace toolkit
