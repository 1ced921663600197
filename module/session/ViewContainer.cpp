#include "ViewContainer.h"

namespace {
QWidget* EmptyContent(const QString& name) {
    auto* content = new QWidget;
    content->setObjectName(name);
    content->setFocusPolicy(Qt::StrongFocus);
    return content;
}
}  // namespace

ViewContainer::ViewContainer(QWidget* parent)
    : QWidget(parent), layout_(std::make_unique<toolkit::LayoutManager>(this)) {
    setObjectName(QStringLiteral("ViewContainer"));
    using toolkit::DockSide;
    // Creation order is the panes' z-order, which gives the left column its
    // order: Control above Camera.
    editor_ = new toolkit::PaneWindow(this, layout_.get(), QStringLiteral("Editor"), DockSide::Centre, false);
    editor_->setObjectName(QStringLiteral("EditorPane"));
    editor_->SetContent(EmptyContent(QStringLiteral("GLitem")));
    control_ = new toolkit::PaneWindow(this, layout_.get(), QStringLiteral("Control"), DockSide::Left);
    control_->setObjectName(QStringLiteral("ControlPane"));
    control_->SetContent(EmptyContent(QStringLiteral("GLPlaceView")));
    camera_ = new toolkit::PaneWindow(this, layout_.get(), QStringLiteral("Camera"), DockSide::Left);
    camera_->setObjectName(QStringLiteral("CameraPane"));
    camera_->SetContent(EmptyContent(QStringLiteral("GLCameraView")));
    layout_->Attach();
}

ViewContainer::~ViewContainer() {
    // The panes go before the layout manager they are registered with; a
    // floating pane is a child of the main window, not of this container.
    delete editor_;
    delete camera_;
    delete control_;
}

void ViewContainer::resizeEvent(QResizeEvent*) { layout_->Arrange(); }
