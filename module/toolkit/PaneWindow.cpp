#include "PaneWindow.h"

#include <QPainter>

#include "DarkStyle.h"

namespace toolkit {

PaneWindow::PaneWindow(QWidget* parent, const QString& caption, DockSide side)
    : QWidget(parent), side_(side) {
    setWindowTitle(caption);
    setGeometry(0, 0, 200, 200);
    openHeight_ = 200;
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
}

PaneRect PaneWindow::Rect() const {
    const QRect g = geometry();
    return {g.x(), g.y(), g.width(), g.height()};
}

void PaneWindow::SetRect(const PaneRect& rect) {
    setGeometry(rect.x, rect.y, rect.width, rect.height);
}

QRect PaneWindow::ContentRect(const QSize& size) const {
    return {4, 24, size.width() - 7, size.height() - 27};
}

void PaneWindow::resizeEvent(QResizeEvent*) {
    if (!collapsed_) openHeight_ = height();
    if (content_) {
        content_->setGeometry(ContentRect(size()));
        content_->setVisible(!collapsed_);
    }
}

void PaneWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), FaceColour());
    p.fillRect(QRect(0, 0, width(), kCollapsedHeight), StripColour());
    p.setPen(StripColour());
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setFont(UiFont());
    p.setPen(TextColour());
    p.drawText(QRect(6, 0, width() - 12, kCollapsedHeight), Qt::AlignVCenter | Qt::AlignLeft, windowTitle());
}

}  // namespace toolkit
