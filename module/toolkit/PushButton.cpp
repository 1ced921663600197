#include "PushButton.h"

#include <QMouseEvent>
#include <QPainter>

#include "DarkStyle.h"
#include "PostedMessage.h"

namespace toolkit {

PushButton::PushButton(QWidget* parent, const QRect& rect, int code, const QString& text,
                       QImage picture, QImage latchedPicture)
    : QWidget(parent), code_(code), text_(text), picture_(std::move(picture)),
      latchedPicture_(std::move(latchedPicture)) {
    setObjectName(QStringLiteral("btn"));
    setGeometry(rect);
    setMouseTracking(true);
    show();
}

void PushButton::SetLatched(bool latched) {
    if (latched_ != latched) {
        latched_ = latched;
        update();
    }
}

void PushButton::SetDisabled(bool disabled) {
    if (disabled_ != disabled) {
        disabled_ = disabled;
        if (disabled) hover_ = pressed_ = false;
        update();
    }
}

void PushButton::SetPressed(bool pressed) {
    if (pressed_ != pressed) {
        pressed_ = pressed;
        update();
    }
}

void PushButton::enterEvent(QEnterEvent*) {
    if (!disabled_) hover_ = true;
}

void PushButton::leaveEvent(QEvent*) { hover_ = false; }

void PushButton::mousePressEvent(QMouseEvent* event) {
    if (disabled_ || event->button() != Qt::LeftButton) return;
    hover_ = rect().contains(event->position().toPoint());
    if (hover_) SetPressed(true);
}

void PushButton::mouseMoveEvent(QMouseEvent* event) {
    if (disabled_) return;
    if (rect().contains(event->position().toPoint())) {
        hover_ = true;
    } else {
        // Leaving the button gives up the press: the release will post nothing.
        hover_ = false;
        SetPressed(false);
    }
}

void PushButton::mouseReleaseEvent(QMouseEvent* event) {
    if (disabled_ || event->button() != Qt::LeftButton) return;
    const bool wasPressed = pressed_ && rect().contains(event->position().toPoint());
    SetPressed(false);
    if (wasPressed) platform::PostWindowMessage(parentWidget(), kReleasedMessage, code_);
}

void PushButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int w = width(), h = height();
    p.fillRect(rect(), FaceColour());
    const bool sunk = pressed_ || latched_;
    if (!sunk) {
        p.setPen(DarkEdgeColour());
        p.drawLine(0, h - 1, w - 1, h - 1);
        p.drawLine(w - 1, 0, w - 1, h - 1);
        p.setPen(LightEdgeColour());
        p.drawLine(0, 0, w - 1, 0);
        p.drawLine(0, 0, 0, h - 1);
    } else {
        p.setPen(DarkEdgeColour());
        p.drawLine(0, 0, w - 1, 0);
        p.drawLine(0, 0, 0, h - 1);
    }
    const int shift = pressed_ ? 1 : 0;
    const QImage& picture = latched_ && !latchedPicture_.isNull() ? latchedPicture_ : picture_;
    if (!picture.isNull()) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.setOpacity(disabled_ ? 0.35 : 1.0);
        p.drawImage(QRect(3 + shift, 3 + shift, w - 6, h - 6), picture);
    } else if (!text_.isEmpty()) {
        p.setFont(UiFont());
        p.setPen(disabled_ ? LightEdgeColour() : TextColour());
        p.drawText(rect().translated(shift, shift), Qt::AlignCenter, text_);
    }
}

}  // namespace toolkit
