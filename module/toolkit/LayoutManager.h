#pragma once
// Keeps the panes registered with a container and arranges them: order
// indexes from the container's child order, sizes and places on every
// resize, and the moves between sides that the docking menu asks for.

#include <QObject>

#include <vector>

#include "PaneLayout.h"

class QWidget;

namespace toolkit {

class PaneWindow;

class LayoutManager {
public:
    explicit LayoutManager(QWidget* container) : container_(container) {}

    QWidget* Container() const { return container_; }
    void Register(PaneWindow* pane);
    void Unregister(PaneWindow* pane);
    const std::vector<PaneWindow*>& Panes() const { return panes_; }

    // Gives the docked panes their order indexes from the container's child
    // order and ends any mouse capture.
    void Attach();
    // Sizes and places the docked panes and repaints them.
    void Arrange();
    // The docked panes in the container's child order.
    std::vector<LayoutPane*> ZOrder() const;

    // Moves a pane to a side (Left … Bottom) or out of the container
    // (Floating), then arranges again. A docked pane becomes the last of its
    // side, also when it was on that side already; it takes the side's
    // extent measured over the other panes there (the widest for a column,
    // the sum of heights for a row, 100 for none).
    void Dock(PaneWindow* pane, DockSide side);
    // Takes a pane out of the arrangement for good.
    void Close(PaneWindow* pane);

private:
    // The extent of a side over its docked panes other than `newcomer`.
    int SideExtent(DockSide side, const PaneWindow* newcomer) const;

    QWidget* container_;
    std::vector<PaneWindow*> panes_;
};

}  // namespace toolkit
