#include "ButtonPictures.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {
constexpr int kSize = 38;
const QColor kInk(200, 200, 200);
const QColor kAccent(80, 140, 220);

void Gear(QPainter& p) {
    p.setPen(QPen(kInk, 3));
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        p.drawLine(QPointF(19 + 10 * std::cos(a), 19 + 10 * std::sin(a)),
                   QPointF(19 + 15 * std::cos(a), 19 + 15 * std::sin(a)));
    }
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(19, 19), 10, 10);
    p.setPen(QPen(kAccent, 2));
    p.drawEllipse(QPointF(19, 19), 4, 4);
}

void Book(QPainter& p) {
    p.setPen(QPen(kInk, 2));
    p.drawRect(8, 6, 22, 26);
    p.drawLine(12, 6, 12, 32);
    p.setPen(QPen(kAccent, 2));
    for (int y = 12; y <= 24; y += 6) p.drawLine(16, y, 26, y);
}

void Cross(QPainter& p) {
    p.setPen(QPen(QColor(220, 90, 90), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(10, 10, 28, 28);
    p.drawLine(28, 10, 10, 28);
}

void Roof(QPainter& p, bool mesh) {
    QPainterPath roof;
    roof.moveTo(4, 28);
    roof.lineTo(19, 9);
    roof.lineTo(34, 28);
    roof.closeSubpath();
    p.setPen(QPen(kInk, 2));
    p.setBrush(QColor(80, 140, 220, mesh ? 90 : 160));
    p.drawPath(roof);
    if (mesh) {
        p.setPen(QPen(kInk, 1));
        for (int x = 11; x <= 27; x += 8) p.drawLine(QPointF(x, 28), QPointF(19, 9));
        p.drawLine(QPointF(11.5, 18.5), QPointF(26.5, 18.5));
    }
}
}  // namespace

QImage DrawButtonPicture(ButtonPicture which) {
    QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    switch (which) {
        case ButtonPicture::Settings: Gear(p); break;
        case ButtonPicture::Manual: Book(p); break;
        case ButtonPicture::Close: Cross(p); break;
        case ButtonPicture::SlopeMode: Roof(p, false); break;
        case ButtonPicture::MeshMode: Roof(p, true); break;
    }
    return image;
}
