#include "ViewContainer.h"

#include <QCoreApplication>
#include <QWheelEvent>

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
    editor_->installEventFilter(this);
}

ViewContainer::~ViewContainer() {
    // The panes go before the layout manager they are registered with; a
    // floating pane is a child of the main window, not of this container.
    delete editor_;
    delete camera_;
    delete control_;
}

void ViewContainer::resizeEvent(QResizeEvent*) { layout_->Arrange(); }

bool ViewContainer::eventFilter(QObject* watched, QEvent* event) {
    if (watched != editor_ || event->type() != QEvent::Wheel) return false;
    // What reaches the Editor pane itself came over its caption strip or its
    // margins; the editor view takes the wheel over itself directly.
    auto* wheel = static_cast<QWheelEvent*>(event);
    QWidget* view = EditorView();
    const QPoint at = wheel->position().toPoint();
    if (!view || !toolkit::StrictlyInside({0, 0, editor_->width(), editor_->height()}, at.x(), at.y())) return false;
    QWheelEvent forwarded(view->mapFrom(editor_, wheel->position()), wheel->globalPosition(), wheel->pixelDelta(),
                          wheel->angleDelta(), wheel->buttons(), wheel->modifiers(), wheel->phase(),
                          wheel->inverted(), wheel->source());
    QCoreApplication::sendEvent(view, &forwarded);
    wheel->accept();
    return true;
}
