#include "panels/RotationPad.h"

#include <QMouseEvent>
#include <QPainter>

#include "toolkit/DarkStyle.h"
#include "panels/EditorViewAccess.h"

RotationPad::RotationPad(QWidget* parent, SessionContext& context) : QWidget(parent), context_(context) {
    setObjectName(QStringLiteral("viewpallet"));
    setGeometry(0, 0, kSize, kSize);
    show();
}

void RotationPad::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) last_ = event->position().toPoint();
}

void RotationPad::mouseMoveEvent(QMouseEvent* event) {
    // Only the left button, with no other button and no modifier key.
    if (event->buttons() != Qt::LeftButton || event->modifiers() != Qt::NoModifier) return;
    const QPoint at = event->position().toPoint();
    if (EditorViewAccess* view = context_.view) view->DragRotate(at.x() - last_.x(), at.y() - last_.y());
    last_ = at;
}

void RotationPad::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), toolkit::FaceColour());
    p.setPen(toolkit::TextColour());
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
