#include "LayoutManager.h"

#include <QWidget>

#include <algorithm>

#include "PaneWindow.h"

namespace toolkit {

void LayoutManager::Register(PaneWindow* pane) {
    if (pane && std::find(panes_.begin(), panes_.end(), pane) == panes_.end()) panes_.push_back(pane);
}

void LayoutManager::Unregister(PaneWindow* pane) { panes_.erase(std::remove(panes_.begin(), panes_.end(), pane), panes_.end()); }

std::vector<LayoutPane*> LayoutManager::ZOrder() const {
    std::vector<LayoutPane*> order;
    for (QObject* child : container_->children()) {
        auto* pane = qobject_cast<PaneWindow*>(child);
        if (pane && std::find(panes_.begin(), panes_.end(), pane) != panes_.end()) order.push_back(pane);
    }
    return order;
}

void LayoutManager::Attach() {
    AssignOrder(ZOrder());
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
}

void LayoutManager::Arrange() {
    ArrangePanes(ZOrder(), container_->width(), container_->height());
    for (PaneWindow* pane : panes_) pane->update();
    container_->update();
}

int LayoutManager::SideExtent(DockSide side, const PaneWindow* newcomer) const {
    int extent = 0;
    for (PaneWindow* pane : panes_) {
        if (pane == newcomer || !pane->IsDocked() || pane->Side() != side) continue;
        if (side == DockSide::Left || side == DockSide::Right) extent = std::max(extent, pane->width());
        else extent += pane->height();
    }
    return extent == 0 ? 100 : extent;
}

void LayoutManager::Dock(PaneWindow* pane, DockSide side) {
    if (!pane) return;
    const QRect screenRect(pane->mapToGlobal(QPoint(0, 0)), pane->size());
    if (side == DockSide::Floating) {
        pane->MakeFloating(screenRect.translated(-10, -10));
    } else {
        // The pane joins the side as a newcomer, even when it is on it
        // already: its own size does not count in what the side measures.
        const int extent = SideExtent(side, pane);
        const bool column = side == DockSide::Left || side == DockSide::Right;
        const QSize size = column ? QSize(extent, screenRect.height()) : QSize(screenRect.width(), extent);
        pane->MakeDocked(container_, side, size);
        Register(pane);
    }
    Attach();
    Arrange();
}

void LayoutManager::Close(PaneWindow* pane) {
    if (!pane) return;
    pane->MakeClosed();
    Unregister(pane);
    Attach();
    Arrange();
}

}  // namespace toolkit
