#include "settings/CameraPane.h"

#include "settings/CameraScroller.h"

CameraPane::CameraPane(QWidget* parent, toolkit::LayoutManager* manager, const std::string& settingsPath)
    : toolkit::PaneWindow(parent, manager, QStringLiteral("Camera"), toolkit::DockSide::Left) {
    setObjectName(QStringLiteral("CameraPane"));
    scroller_ = new CameraScroller(this, settingsPath);
    SetContent(scroller_);
}

bool CameraPane::HandleWheel(int delta, const QPoint&) {
    scroller_->ScrollByWheel(delta);
    return true;
}
