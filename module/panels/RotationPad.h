#pragma once
// The Camera pane's drag pad ("viewpallet", 100 × 100): dragging over it
// with the left button alone turns the editor view's camera by the mouse
// movement.

#include <QPoint>
#include <QWidget>

#include "panels/SessionContext.h"

class RotationPad : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSize = 100;

    RotationPad(QWidget* parent, SessionContext& context);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent*) override;

private:
    SessionContext& context_;
    QPoint last_;
};
