#include "CompassFaces.h"

#include <QImage>
#include <QPainter>
#include <QRadialGradient>

#include "toolkit/DarkStyle.h"

namespace {
std::vector<uint8_t> Face(const QString& mark) {
    QImage image(kCompassImageSize, kCompassImageSize, QImage::Format_RGB888);
    QPainter p(&image);
    QRadialGradient light(QPointF(24, 20), 52);
    light.setColorAt(0.0, QColor(235, 235, 235));
    light.setColorAt(1.0, QColor(120, 120, 120));
    p.fillRect(image.rect(), light);
    p.setPen(QPen(QColor(70, 70, 70), 2));
    p.drawRect(image.rect().adjusted(1, 1, -2, -2));
    QFont font = toolkit::UiFont(26);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(30, 30, 30));
    p.drawText(image.rect(), Qt::AlignCenter, mark);
    p.end();
    // Rows from the bottom up, as GL reads texture images.
    std::vector<uint8_t> rgb(static_cast<size_t>(kCompassImageSize) * kCompassImageSize * 3);
    for (int y = 0; y < kCompassImageSize; ++y) {
        const uchar* row = image.constScanLine(kCompassImageSize - 1 - y);
        std::copy(row, row + kCompassImageSize * 3, rgb.begin() + static_cast<std::ptrdiff_t>(y) * kCompassImageSize * 3);
    }
    return rgb;
}
}  // namespace

CompassImages MakeCompassImages() {
    return {Face(QStringLiteral("X-")), Face(QStringLiteral("X+")), Face(QStringLiteral("Y-")),
            Face(QStringLiteral("Y+")), Face(QStringLiteral("Z+")), Face(QStringLiteral("Z-"))};
}
