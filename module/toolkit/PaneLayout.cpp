#include "PaneLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace toolkit {
namespace {

bool On(const LayoutPane* pane, DockSide side) { return pane->IsDocked() && pane->Side() == side; }

// The docked panes of one side in their order.
std::vector<LayoutPane*> SideOf(const std::vector<LayoutPane*>& panes, DockSide side) {
    std::vector<LayoutPane*> result;
    for (LayoutPane* p : panes) {
        if (On(p, side)) result.push_back(p);
    }
    std::stable_sort(result.begin(), result.end(),
                     [](const LayoutPane* a, const LayoutPane* b) { return a->order < b->order; });
    return result;
}

int SumHeights(const std::vector<LayoutPane*>& panes) {
    int sum = 0;
    for (const LayoutPane* p : panes) sum += p->Rect().height;
    return sum;
}

// A column shares the available height: collapsed panes keep their caption,
// the others get the rest in proportion to their present heights.
std::vector<int> ShareColumn(const std::vector<LayoutPane*>& column, int available) {
    std::vector<int> heights(column.size(), kCollapsedHeight);
    int rest = available;
    long long sum = 0;
    for (const LayoutPane* p : column) {
        if (p->IsCollapsed()) rest -= kCollapsedHeight;
        else sum += p->Rect().height;
    }
    for (size_t i = 0; i < column.size(); ++i) {
        if (column[i]->IsCollapsed()) continue;
        const int own = column[i]->Rect().height;
        // Round half up; a column whose panes have no height shares equally.
        double share = sum > 0 ? static_cast<double>(own) * rest / static_cast<double>(sum)
                               : static_cast<double>(rest) / static_cast<double>(column.size());
        heights[i] = std::max(kCollapsedHeight, static_cast<int>(std::floor(share + 0.5)));
    }
    return heights;
}

int ColumnWidth(const std::vector<LayoutPane*>& column) {
    int width = 0;
    for (const LayoutPane* p : column) width = std::max(width, p->Rect().width);
    return width;
}

}  // namespace

void AssignOrder(const std::vector<LayoutPane*>& zOrder) {
    for (LayoutPane* p : zOrder) p->order = 0;
    for (DockSide side : {DockSide::Left, DockSide::Top, DockSide::Right, DockSide::Bottom}) {
        int next = 0;
        for (LayoutPane* p : zOrder) {
            if (On(p, side)) p->order = ++next;
        }
    }
}

void ArrangePanes(const std::vector<LayoutPane*>& panes, int width, int height) {
    const auto left = SideOf(panes, DockSide::Left);
    const auto top = SideOf(panes, DockSide::Top);
    const auto right = SideOf(panes, DockSide::Right);
    const auto bottom = SideOf(panes, DockSide::Bottom);
    const auto centre = SideOf(panes, DockSide::Centre);

    const int available = (height - 1) - SumHeights(top) - SumHeights(bottom);
    const std::vector<int> leftHeights = ShareColumn(left, available);
    const std::vector<int> rightHeights = ShareColumn(right, available);
    const int leftWidth = ColumnWidth(left);
    const int rightWidth = ColumnWidth(right);
    const int fullWidth = width - 1;

    // Top rows.
    int y = 0;
    for (LayoutPane* p : top) {
        const int h = p->Rect().height;
        p->SetRect({0, y, fullWidth, h});
        y += h;
    }
    const int topBottom = y;

    // Left and right columns.
    int lowest = topBottom;
    y = topBottom;
    for (size_t i = 0; i < left.size(); ++i) {
        left[i]->SetRect({0, y, left[i]->Rect().width, leftHeights[i]});
        y += leftHeights[i];
    }
    lowest = std::max(lowest, y);
    y = topBottom;
    for (size_t i = 0; i < right.size(); ++i) {
        const int w = right[i]->Rect().width;
        right[i]->SetRect({fullWidth - w, y, w, rightHeights[i]});
        y += rightHeights[i];
    }
    lowest = std::max(lowest, y);

    // The centre fills the rest, never lower than the side columns' captions.
    const int minimum = kCollapsedHeight * static_cast<int>(std::max(left.size(), right.size()));
    for (LayoutPane* p : centre) {
        const int w = width - rightWidth - leftWidth;
        const int h = p->IsCollapsed() ? kCollapsedHeight : std::max(available, minimum);
        p->SetRect({leftWidth, topBottom, w, h});
        lowest = std::max(lowest, topBottom + h);
    }

    // Bottom rows under whatever reaches lowest.
    y = lowest;
    for (LayoutPane* p : bottom) {
        const int h = p->Rect().height;
        p->SetRect({0, y, fullWidth, h});
        y += h;
    }
}

Edges GrabbableEdges(const PaneRect& pane, const PaneRect& container, int x, int y, bool floating,
                     bool collapsed) {
    Edges edges;
    if (collapsed) return edges;
    const bool inRows = y >= pane.y - kEdgeGrabDistance && y <= pane.Bottom() + kEdgeGrabDistance;
    const bool inColumns = x >= pane.x - kEdgeGrabDistance && x <= pane.Right() + kEdgeGrabDistance;
    auto near = [](int a, int b) { return std::abs(a - b) <= kEdgeGrabDistance; };
    auto inner = [&](int paneEdge, int containerEdge) {
        return floating || std::abs(paneEdge - containerEdge) > kContainerEdgeMargin;
    };
    edges.left = inRows && near(x, pane.x) && inner(pane.x, container.x);
    edges.right = inRows && near(x, pane.Right()) && inner(pane.Right(), container.Right());
    edges.top = inColumns && near(y, pane.y) && inner(pane.y, container.y);
    edges.bottom = inColumns && near(y, pane.Bottom()) && inner(pane.Bottom(), container.Bottom());
    return edges;
}

PaneRect ResizedRect(const PaneRect& rect, const Edges& edges, int dx, int dy) {
    PaneRect r = rect;
    if (edges.left) {
        r.width = std::max(kMinimumPaneWidth, rect.width - dx);
        r.x = rect.Right() - r.width;
    }
    if (edges.right) r.width = std::max(kMinimumPaneWidth, r.width + dx);
    if (edges.top) {
        r.height = std::max(kCollapsedHeight, rect.height - dy);
        r.y = rect.Bottom() - r.height;
    }
    if (edges.bottom) r.height = std::max(kCollapsedHeight, r.height + dy);
    return r;
}

namespace {

void ShrinkHeight(LayoutPane* pane, int by, int minimum) {
    PaneRect r = pane->Rect();
    r.height = std::max(minimum, r.height - by);
    pane->SetRect(r);
}

void ShrinkWidth(LayoutPane* pane, int by) {
    PaneRect r = pane->Rect();
    r.width = std::max(kMinimumPaneWidth, r.width - by);
    pane->SetRect(r);
}

int CountOn(const std::vector<LayoutPane*>& panes, DockSide side) {
    int n = 0;
    for (const LayoutPane* p : panes) n += On(p, side) ? 1 : 0;
    return n;
}

// Every pane of a side loses an equal part of dHeight.
void ShareLoss(const std::vector<LayoutPane*>& zOrder, DockSide side, int dHeight, bool skipCollapsed) {
    const int n = CountOn(zOrder, side);
    if (n == 0) return;
    for (LayoutPane* r : zOrder) {
        if (On(r, side) && !(skipCollapsed && r->IsCollapsed())) ShrinkHeight(r, dHeight / n, kCollapsedHeight);
    }
}

}  // namespace

void AdjustNeighbours(const std::vector<LayoutPane*>& zOrder, LayoutPane* p, const Edges& edges, int dWidth,
                      int dHeight) {
    if (!p || !p->IsDocked()) return;
    const DockSide side = p->Side();
    if (side == DockSide::Centre) {
        for (LayoutPane* r : zOrder) {
            if (r == p) continue;
            if (edges.left && On(r, DockSide::Left)) ShrinkWidth(r, dWidth);
            if (edges.right && On(r, DockSide::Right)) ShrinkWidth(r, dWidth);
        }
        if (edges.top) ShareLoss(zOrder, DockSide::Top, dHeight, true);
        if (edges.bottom) ShareLoss(zOrder, DockSide::Bottom, dHeight, true);
        return;
    }
    const int n = CountOn(zOrder, side);
    if (side == DockSide::Top || side == DockSide::Bottom) {
        if ((side == DockSide::Bottom && p->order == 1 && edges.top) ||
            (side == DockSide::Top && p->order == n && edges.bottom))
            return;  // the arrangement absorbs it
        if (n < 2) return;
        for (LayoutPane* r : zOrder) {
            if (r != p && On(r, side)) ShrinkHeight(r, dHeight / (n - 1), kCollapsedHeight);
        }
        return;
    }
    // A left or right column.
    if (p->order == 1 && edges.top) {
        ShareLoss(zOrder, DockSide::Top, dHeight, false);
        return;
    }
    if (p->order == n && edges.bottom) {
        ShareLoss(zOrder, DockSide::Bottom, dHeight, false);
        return;
    }
    if (n < 2) return;
    for (LayoutPane* r : zOrder) {
        if (r == p || !On(r, side)) continue;
        PaneRect rect = r->Rect();
        rect.width = p->Rect().width;
        rect.height = std::max(2 * kCollapsedHeight, rect.height - dHeight / (n - 1));
        r->SetRect(rect);
    }
}

PaneRect PlaceDockingMenu(int cursorX, int cursorY, const PaneRect& desktop) {
    PaneRect r{cursorX - 10, cursorY - 50, 100, 78};
    r.x = std::max(r.x, desktop.x);
    r.y = std::max(r.y, desktop.y);
    if (r.Right() > desktop.Right()) r.x = desktop.Right() - r.width;
    if (r.Bottom() > desktop.Bottom()) r.y = desktop.Bottom() - r.height;
    return r;
}

int DockingMenuRowAt(double y) {
    for (int i = 0; i < 5; ++i) {
        if (y > 1.5 + 15 * i && y <= 16.5 + 15 * i) return i;
    }
    return -1;
}

bool StrictlyInside(const PaneRect& rect, int x, int y) {
    return x > rect.x && x < rect.Right() - 1 && y > rect.y && y < rect.Bottom() - 1;
}

}  // namespace toolkit
