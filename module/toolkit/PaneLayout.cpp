#include "PaneLayout.h"

#include <algorithm>
#include <cmath>

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

}  // namespace toolkit
