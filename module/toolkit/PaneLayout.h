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

}  // namespace toolkit
