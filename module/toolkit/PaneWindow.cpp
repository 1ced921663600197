#include "PaneWindow.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "CaptionControl.h"
#include "DarkStyle.h"
#include "DockingMenu.h"
#include "LayoutManager.h"

namespace toolkit {
namespace {

// The prospective rectangle of a docked resize, drawn over a snapshot of the
// container taken when the drag began.
class ResizeOutline : public QWidget {
public:
    explicit ResizeOutline(QWidget* container) : QWidget(container), snapshot_(container->grab().toImage()) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(container->rect());
        raise();
        show();
    }
    void SetRect(const QRect& rect) {
        rect_ = rect;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, snapshot_);
        p.setPen(QPen(Qt::white, 2));
        p.drawRect(rect_.adjusted(1, 1, -1, -1));
    }

private:
    QImage snapshot_;
    QRect rect_;
};

Qt::CursorShape CursorFor(const Edges& e) {
    if (e.left || e.right) return Qt::SizeHorCursor;
    if (e.top || e.bottom) return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}

}  // namespace

PaneWindow::PaneWindow(QWidget* parent, LayoutManager* manager, const QString& caption, DockSide side,
                       bool withCaptionControls)
    : QWidget(parent), manager_(manager), side_(side) {
    setWindowTitle(caption);
    setMouseTracking(true);
    setGeometry(0, 0, 200, 200);
    if (withCaptionControls) {
        controls_[0] = new CaptionControl(this, CaptionControl::Kind::Docking);
        controls_[1] = new CaptionControl(this, CaptionControl::Kind::Collapse);
        controls_[2] = new CaptionControl(this, CaptionControl::Kind::Close);
    }
    PlaceCaptionControls();
    if (manager_) manager_->Register(this);
}

PaneWindow::~PaneWindow() {
    CloseDockingMenu();
    if (manager_) manager_->Unregister(this);
}

void PaneWindow::SetContent(QWidget* content) {
    content_ = content;
    if (content_) {
        content_->setParent(this);
        content_->setGeometry(ContentRect(size()));
        content_->show();
    }
}

void PaneWindow::SetCollapsed(bool collapsed) {
    if (collapsed_ == collapsed) return;
    collapsed_ = collapsed;
    resize(width(), collapsed ? kCollapsedHeight : openHeight_);
    if (content_) content_->setVisible(!collapsed_);
    if (IsDocked() && manager_) manager_->Arrange();
    update();
}

void PaneWindow::OpenDockingMenu(const QPoint& cursor) {
    if (!menu_) menu_ = new DockingMenu(this, cursor);
}

void PaneWindow::CloseDockingMenu() {
    if (!menu_) return;
    menu_->hide();
    menu_->deleteLater();
    menu_ = nullptr;
    if (controls_[0]) controls_[0]->ResetState();
}

void PaneWindow::ChooseDocking(DockSide side) {
    CloseDockingMenu();
    if (manager_) manager_->Dock(this, side);
}

void PaneWindow::CloseByUser() {
    if (manager_) manager_->Close(this);
    else MakeClosed();
}

void PaneWindow::MakeFloating(const QRect& screenRect) {
    QWidget* owner = manager_ ? manager_->Container()->window() : parentWidget();
    side_ = DockSide::Floating;
    setParent(owner, Qt::Tool | Qt::FramelessWindowHint);
    setGeometry(screenRect);
    show();
}

void PaneWindow::MakeDocked(QWidget* container, DockSide side, const QSize& size) {
    side_ = side;
    setParent(container, Qt::Widget);
    // A pane docked anew goes after every other child of the container, as
    // a window made afresh would, so it is the last of its side. setParent
    // alone keeps the pane's old place when the parent stays the same.
    raise();
    setGeometry(QRect(QPoint(0, 0), size));
    show();
}

void PaneWindow::MakeClosed() {
    closed_ = true;
    CloseDockingMenu();
    hide();
}

bool PaneWindow::HandleWheel(int, const QPoint&) { return false; }

PaneRect PaneWindow::Rect() const {
    const QRect g = geometry();
    return {g.x(), g.y(), g.width(), g.height()};
}

void PaneWindow::SetRect(const PaneRect& rect) { setGeometry(rect.x, rect.y, rect.width, rect.height); }

QRect PaneWindow::ContentRect(const QSize& size) const { return {4, 24, size.width() - 7, size.height() - 27}; }

void PaneWindow::PlaceCaptionControls() {
    int x = width() - 4;
    for (int i = 2; i >= 0; --i) {
        if (!controls_[i]) continue;
        x -= CaptionControl::kSize;
        controls_[i]->move(x, 2);
        x -= 2;
        controls_[i]->show();
    }
}

void PaneWindow::resizeEvent(QResizeEvent*) {
    if (!collapsed_) openHeight_ = height();
    if (content_) {
        content_->setGeometry(ContentRect(size()));
        content_->setVisible(!collapsed_);
    }
    PlaceCaptionControls();
}

Edges PaneWindow::EdgesAt(const QPoint& local) const {
    const bool floating = side_ == DockSide::Floating;
    QWidget* container = manager_ ? manager_->Container() : parentWidget();
    const QRect within = (!floating && container) ? container->rect() : QRect(geometry());
    const QPoint at = floating ? local + pos() : mapToParent(local);
    return GrabbableEdges(Rect(), {within.x(), within.y(), within.width(), within.height()}, at.x(), at.y(),
                          floating, collapsed_);
}

void PaneWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint local = event->position().toPoint();
    pressGlobal_ = event->globalPosition().toPoint();
    pressGeometry_ = geometry();
    grabbed_ = EdgesAt(local);
    if (grabbed_.Any()) {
        grabMouse();
        return;
    }
    if (side_ == DockSide::Floating && local.y() < kCollapsedHeight && local.x() < width() - 25) {
        moving_ = true;
        grabMouse(Qt::SizeAllCursor);
    }
}

void PaneWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    if (event->buttons() != Qt::LeftButton) {
        // Only the cursor tells what a press here would do.
        setCursor(CursorFor(EdgesAt(event->position().toPoint())));
        return;
    }
    const QPoint delta = global - pressGlobal_;
    if (moving_) {
        move(pressGeometry_.topLeft() + delta);
        return;
    }
    if (!grabbed_.Any()) return;
    const PaneRect start{pressGeometry_.x(), pressGeometry_.y(), pressGeometry_.width(), pressGeometry_.height()};
    const PaneRect r = ResizedRect(start, grabbed_, delta.x(), delta.y());
    if (side_ == DockSide::Floating) setGeometry(r.x, r.y, r.width, r.height);
    else ShowOutline(QRect(r.x, r.y, r.width, r.height));
}

void PaneWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    releaseMouse();
    if (moving_) {
        moving_ = false;
        return;
    }
    if (!grabbed_.Any()) return;
    const Edges edges = grabbed_;
    grabbed_ = {};
    HideOutline();
    const QPoint delta = event->globalPosition().toPoint() - pressGlobal_;
    const PaneRect start{pressGeometry_.x(), pressGeometry_.y(), pressGeometry_.width(), pressGeometry_.height()};
    const PaneRect r = ResizedRect(start, edges, delta.x(), delta.y());
    setGeometry(r.x, r.y, r.width, r.height);
    if (side_ == DockSide::Floating || !manager_) {
        update();
    } else {
        AdjustNeighbours(manager_->ZOrder(), this, edges, r.width - start.width, r.height - start.height);
        manager_->Arrange();
    }
    setCursor(Qt::ArrowCursor);
}

void PaneWindow::ShowOutline(const QRect& rect) {
    QWidget* container = manager_ ? manager_->Container() : nullptr;
    if (!container) return;
    if (!outline_) outline_ = new ResizeOutline(container);
    static_cast<ResizeOutline*>(outline_)->SetRect(rect);
}

void PaneWindow::HideOutline() {
    delete outline_;
    outline_ = nullptr;
}

void PaneWindow::wheelEvent(QWheelEvent* event) {
    if (HandleWheel(event->angleDelta().y(), event->globalPosition().toPoint())) event->accept();
    else event->ignore();
}

void PaneWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), FaceColour());
    p.fillRect(QRect(0, 0, width(), kCollapsedHeight), StripColour());
    p.setPen(StripColour());
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setFont(UiFont());
    p.setPen(TextColour());
    p.drawText(QRect(6, 0, width() - 70, kCollapsedHeight), Qt::AlignVCenter | Qt::AlignLeft, windowTitle());
}

}  // namespace toolkit
