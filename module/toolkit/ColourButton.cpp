#include "ColourButton.h"

#include <QMouseEvent>
#include <QPainter>

#include "DarkStyle.h"
#include "Dialogs.h"

namespace toolkit {

ColourButton::ColourButton(QWidget* parent, const QRect& rect, uint32_t colour)
    : QWidget(parent), colour_(colour) {
    setObjectName(QStringLiteral("colobtn"));
    setGeometry(rect);
    show();
}

void ColourButton::SetColour(uint32_t colour) {
    colour_ = colour;
    update();
}

void ColourButton::mousePressEvent(QMouseEvent* event) { pressed_ = event->button() == Qt::LeftButton; }

void ColourButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (!click) return;
    if (auto chosen = platform::CurrentDialogs().ChooseColour(colour_)) SetColour(*chosen);
}

void ColourButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), DarkEdgeColour());
    p.fillRect(rect().adjusted(2, 2, -2, -2),
               QColor(colour_ & 0xFF, (colour_ >> 8) & 0xFF, (colour_ >> 16) & 0xFF));
    p.setPen(LightEdgeColour());
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace toolkit
