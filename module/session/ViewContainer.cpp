#include "ViewContainer.h"

#include "panels/ControlPane.h"
#include "panels/CameraPane.h"

#include "view/EditorViewFactory.h"

ViewContainer::ViewContainer(QWidget* parent)
    : QWidget(parent), layout_(std::make_unique<toolkit::LayoutManager>(this)) {
    setObjectName(QStringLiteral("ViewContainer"));
    using toolkit::DockSide;
    // Creation order is the panes' z-order, which gives the left column its
    // order: Control above Camera.
    editor_ = new toolkit::PaneWindow(this, layout_.get(), QStringLiteral("Editor"), DockSide::Centre, false);
    editor_->setObjectName(QStringLiteral("EditorPane"));
    editor_->SetContent(CreateEditorView(context_));
    // The Control pane holds the placement panel ("GLPlaceView"), the Camera
    // pane the camera scroller ("GLCameraView").
    control_ = new ::ControlPane(this, layout_.get(), context_);
    camera_ = new ::CameraPane(this, layout_.get(), context_);
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
