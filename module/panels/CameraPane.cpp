#include "panels/CameraPane.h"

#include "panels/CameraScroller.h"

CameraPane::CameraPane(QWidget* parent, toolkit::LayoutManager* manager, SessionContext& context,
                       const std::string& settingsPath)
    : toolkit::PaneWindow(parent, manager, QStringLiteral("Camera"), toolkit::DockSide::Left) {
    setObjectName(QStringLiteral("CameraPane"));
    scroller_ = new CameraScroller(this, context, settingsPath);
    SetContent(scroller_);
}

bool CameraPane::HandleWheel(int delta, const QPoint&) {
    scroller_->ScrollByWheel(delta);
    return true;
}
