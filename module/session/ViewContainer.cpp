#include "ViewContainer.h"

#include <QResizeEvent>

namespace {
QWidget* EmptyContent(const QString& name) {
    auto* content = new QWidget;
    content->setObjectName(name);
    content->setFocusPolicy(Qt::StrongFocus);
    return content;
}
}  // namespace

ViewContainer::ViewContainer(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ViewContainer"));
    // Creation order is the panes' z-order, which gives the left column its
    // order: Control above Camera.
    editor_ = new toolkit::PaneWindow(this, QStringLiteral("Editor"), toolkit::DockSide::Centre);
    editor_->setObjectName(QStringLiteral("EditorPane"));
    editor_->SetContent(EmptyContent(QStringLiteral("GLitem")));
    control_ = new toolkit::PaneWindow(this, QStringLiteral("Control"), toolkit::DockSide::Left);
    control_->setObjectName(QStringLiteral("ControlPane"));
    control_->SetContent(EmptyContent(QStringLiteral("GLPlaceView")));
    camera_ = new toolkit::PaneWindow(this, QStringLiteral("Camera"), toolkit::DockSide::Left);
    camera_->setObjectName(QStringLiteral("CameraPane"));
    camera_->SetContent(EmptyContent(QStringLiteral("GLCameraView")));
    toolkit::AssignOrder(Panes());
}

std::vector<toolkit::LayoutPane*> ViewContainer::Panes() const {
    std::vector<toolkit::LayoutPane*> panes;
    for (toolkit::PaneWindow* pane : {editor_, control_, camera_}) {
        if (pane) panes.push_back(pane);
    }
    return panes;
}

void ViewContainer::Arrange() {
    toolkit::ArrangePanes(Panes(), width(), height());
    for (QWidget* pane : {static_cast<QWidget*>(editor_), static_cast<QWidget*>(control_),
                          static_cast<QWidget*>(camera_)}) {
        if (pane) pane->update();
    }
}

void ViewContainer::resizeEvent(QResizeEvent*) { Arrange(); }
