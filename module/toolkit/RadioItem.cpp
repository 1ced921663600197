#include "RadioItem.h"

#include <QMouseEvent>
#include <QPainter>

#include "DarkStyle.h"
#include "PostedMessage.h"
#include "ToolkitMessages.h"

namespace toolkit {

RadioItem::RadioItem(QWidget* parent, const QRect& rect, const QString& text, bool checked, int code)
    : QWidget(parent), text_(text), checked_(checked), code_(code) {
    setObjectName(QStringLiteral("radio"));
    setGeometry(rect.x(), rect.y(), rect.width(), 15);
    setFont(UiFont());
    show();
}

void RadioItem::SetChecked(bool checked) {
    if (checked_ != checked) {
        checked_ = checked;
        update();
    }
}

void RadioItem::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) platform::PostWindowMessage(parentWidget(), kRadioChosen, code_);
}

void RadioItem::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), FaceColour());
    p.setPen(QPen(LightEdgeColour(), 2));
    p.setBrush(FaceColour());
    p.drawEllipse(QRectF(1.5, 1.5, 11, 11));
    if (checked_) {
        p.setBrush(TextColour());
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(4.5, 4.5, 5, 5));
    }
    p.setPen(TextColour());
    p.drawText(QRect(18, 0, width() - 18, 15), Qt::AlignVCenter | Qt::AlignLeft, text_);
}

}  // namespace toolkit
