#include "CaptionControl.h"

#include <QMouseEvent>
#include <QPainter>

#include <cstdlib>

#include "DarkStyle.h"
#include "PaneWindow.h"

namespace toolkit {

CaptionControl::CaptionControl(PaneWindow* pane, Kind kind) : QWidget(pane), pane_(pane), kind_(kind) {
    setObjectName(QStringLiteral("CaptionControl"));
    resize(kSize, kSize);
    setCursor(Qt::ArrowCursor);
}

void CaptionControl::ResetState() {
    hover_ = pressed_ = false;
    update();
}

void CaptionControl::enterEvent(QEnterEvent*) {
    hover_ = true;
    update();
}

void CaptionControl::leaveEvent(QEvent*) {
    hover_ = false;
    update();
}

void CaptionControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = true;
    pressAt_ = event->globalPosition().toPoint();
    update();
}

void CaptionControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    update();
    const QPoint at = event->globalPosition().toPoint();
    if (std::abs(at.x() - pressAt_.x()) >= 2 || std::abs(at.y() - pressAt_.y()) >= 2) return;
    switch (kind_) {
        case Kind::Docking: pane_->OpenDockingMenu(at); break;
        case Kind::Collapse: pane_->ToggleCollapsed(); break;
        case Kind::Close: pane_->CloseByUser(); break;
    }
}

void CaptionControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), hover_ ? QColor(90, 90, 90) : StripColour());
    p.setPen(QPen(TextColour(), 1.5));
    const double c = kSize / 2.0;
    switch (kind_) {
        case Kind::Docking:
            p.drawRect(QRectF(4, 4, 8, 8));
            p.drawLine(QPointF(4, 7), QPointF(12, 7));
            break;
        case Kind::Collapse: {
            const bool collapsed = pane_->IsCollapsed();
            const QPointF down[] = {{c - 4, c - 2}, {c + 4, c - 2}, {c, c + 3}};
            const QPointF up[] = {{c - 4, c + 2}, {c + 4, c + 2}, {c, c - 3}};
            p.setBrush(TextColour());
            p.drawPolygon(collapsed ? down : up, 3);
            break;
        }
        case Kind::Close:
            p.drawLine(QPointF(4.5, 4.5), QPointF(11.5, 11.5));
            p.drawLine(QPointF(11.5, 4.5), QPointF(4.5, 11.5));
            break;
    }
}

}  // namespace toolkit
