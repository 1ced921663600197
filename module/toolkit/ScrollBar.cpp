#include "ScrollBar.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "DarkStyle.h"
#include "PostedMessage.h"
#include "ToolkitMessages.h"

namespace toolkit {

ScrollBar::ScrollBar(QWidget* parent, const QRect& rect) : QWidget(parent) {
    setObjectName(QStringLiteral("scrol"));
    setGeometry(rect);
    show();
}

void ScrollBar::SetMetrics(int offset, int visible, int content) {
    offset_ = std::max(0, offset);
    visible_ = std::max(1, visible);
    content_ = std::max(1, content);
    PlaceThumb();
    update();
}

int ScrollBar::ThumbLength() const {
    const int track = height();
    if (content_ <= visible_) return track;
    return std::max(1, static_cast<int>(static_cast<long long>(track) * visible_ / content_));
}

double ScrollBar::ThumbFraction() const {
    const int free = height() - ThumbLength();
    return free > 0 ? static_cast<double>(thumbTop_) / free : 0.0;
}

void ScrollBar::PlaceThumb() {
    const int free = height() - ThumbLength();
    const int range = content_ - visible_;
    thumbTop_ = (free > 0 && range > 0)
                    ? static_cast<int>(static_cast<long long>(free) * std::min(offset_, range) / range)
                    : 0;
}

void ScrollBar::resizeEvent(QResizeEvent*) { PlaceThumb(); }

void ScrollBar::mousePressEvent(QMouseEvent* event) {
    const int y = static_cast<int>(event->position().y());
    if (event->button() == Qt::LeftButton && y >= thumbTop_ && y < thumbTop_ + ThumbLength()) {
        dragging_ = true;
        grabY_ = y - thumbTop_;
    }
}

void ScrollBar::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) return;
    const int free = height() - ThumbLength();
    const int top = std::clamp(static_cast<int>(event->position().y()) - grabY_, 0, std::max(0, free));
    if (top != thumbTop_) {
        thumbTop_ = top;
        update();
        platform::PostWindowMessage(parentWidget(), kScrollThumbDragged);
    }
}

void ScrollBar::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

void ScrollBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(25, 25, 25));
    p.fillRect(QRect(1, thumbTop_, width() - 2, ThumbLength()), dragging_ ? QColor(110, 110, 110) : StripColour());
}

}  // namespace toolkit
