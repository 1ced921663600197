#include "DockingMenu.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "DarkStyle.h"
#include "PaneWindow.h"

namespace toolkit {

const char* const DockingMenu::kRows[5] = {"ドッキングを解除", "ドッキング(左)", "ドッキング(上)", "ドッキング(右)",
                                           "ドッキング(下)"};

DockingMenu::DockingMenu(PaneWindow* pane, const QPoint& cursor)
    : QWidget(pane, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus), pane_(pane) {
    setObjectName(QStringLiteral("popup"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true);
    QScreen* screen = QGuiApplication::screenAt(cursor);
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect desk = screen ? screen->geometry() : QRect(0, 0, 1 << 16, 1 << 16);
    const PaneRect r = PlaceDockingMenu(cursor.x(), cursor.y(), {desk.x(), desk.y(), desk.width(), desk.height()});
    setGeometry(r.x, r.y, r.width, r.height);
    if (screen) beneath_ = screen->grabWindow(0, r.x - desk.x(), r.y - desk.y(), r.width, r.height).toImage();
    show();
    grabMouse();
}

void DockingMenu::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    if (!rect().contains(p.toPoint())) {
        releaseMouse();
        pane_->CloseDockingMenu();  // deletes this menu later
        return;
    }
    const int row = DockingMenuRowAt(p.y());
    if (row != hovered_) {
        hovered_ = row;
        update();
    }
}

void DockingMenu::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || hovered_ < 0) return;
    static const DockSide choices[5] = {DockSide::Floating, DockSide::Left, DockSide::Top, DockSide::Right,
                                        DockSide::Bottom};
    releaseMouse();
    pane_->ChooseDocking(choices[hovered_]);
}

void DockingMenu::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!beneath_.isNull()) p.drawImage(0, 0, beneath_);
    // One black layer with the hovered row's blue band in it, blended once:
    // the band must not be darkened by the black beneath it.
    QImage layer(size(), QImage::Format_RGB32);
    layer.fill(Qt::black);
    if (hovered_ >= 0) {
        QPainter band(&layer);
        band.fillRect(QRect(0, 15 * hovered_ + 3, width(), 12), QColor(0, 0, 255));
    }
    p.setOpacity(kLayerOpacity / 255.0);
    p.drawImage(0, 0, layer);
    p.setOpacity(1.0);
    p.setFont(UiFont(12));
    p.setPen(Qt::white);
    for (int i = 0; i < 5; ++i) {
        p.drawText(QRect(3, 3 + 15 * i, width() - 3, 15), Qt::AlignLeft | Qt::AlignTop, QString::fromUtf8(kRows[i]));
    }
}

}  // namespace toolkit
