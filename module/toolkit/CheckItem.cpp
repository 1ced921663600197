#include "CheckItem.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "DarkStyle.h"
#include "PostedMessage.h"
#include "ToolkitMessages.h"

namespace toolkit {

CheckItem::CheckItem(QWidget* parent, const QPoint& origin, const QString& text, int index, bool checked)
    : QWidget(parent), text_(text), index_(index), checked_(checked) {
    setObjectName(QStringLiteral("CheckItem"));
    setFont(UiFont());
    const QFontMetrics metrics(font());
    const int h = metrics.height();
    setGeometry(origin.x(), origin.y(), metrics.horizontalAdvance(text) + h + 5, h);
    show();
}

void CheckItem::SetChecked(bool checked) {
    if (checked_ != checked) {
        checked_ = checked;
        update();
    }
}

void CheckItem::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    SetChecked(!checked_);
    platform::PostWindowMessage(parentWidget(), kCheckToggled, index_);
}

void CheckItem::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int h = height();
    p.fillRect(rect(), FaceColour());
    p.setPen(QPen(LightEdgeColour(), 2));
    p.setBrush(FaceColour());
    p.drawRect(QRect(QPoint(1, 1), QPoint(h - 1, h - 1)));
    if (checked_) p.drawRect(QRect(QPoint(h / 2 - 1, h / 2 - 1), QPoint(h / 2 + 1, h / 2 + 1)));
    p.setPen(TextColour());
    p.drawText(QRect(h + 5, 0, width() - h - 5, h), Qt::AlignVCenter | Qt::AlignLeft, text_);
}

}  // namespace toolkit
