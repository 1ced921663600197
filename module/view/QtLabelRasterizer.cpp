#include "QtLabelRasterizer.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <cmath>

#include "toolkit/DarkStyle.h"

QtLabelRasterizer::QtLabelRasterizer(double dotsPerInchY) {
    const int pixels = static_cast<int>(std::lround(10.0 * dotsPerInchY / 72.0));
    font_ = toolkit::FixedFont(pixels > 0 ? pixels : 13);
    font_.setWeight(QFont::Normal);
    font_.setStyleStrategy(QFont::NoAntialias);
    lineHeight_ = QFontMetrics(font_).height();
}

const LabelBitmap& QtLabelRasterizer::Rasterize(const std::string& utf8Line) {
    auto found = cache_.find(utf8Line);
    if (found != cache_.end()) return found->second;
    const QString text = QString::fromUtf8(utf8Line.data(), static_cast<qsizetype>(utf8Line.size()));
    const QFontMetrics metrics(font_);
    LabelBitmap bitmap;
    const int textWidth = std::max(1, metrics.horizontalAdvance(text));
    bitmap.width = (textWidth + 31) / 32 * 32;
    bitmap.height = metrics.height();
    QImage image(bitmap.width, bitmap.height, QImage::Format_Grayscale8);
    image.fill(0);
    {
        QPainter painter(&image);
        painter.setFont(font_);
        painter.setPen(Qt::white);
        painter.drawText(0, metrics.ascent(), text);
    }
    const int rowBytes = bitmap.width / 8;
    bitmap.bits.assign(static_cast<size_t>(rowBytes) * bitmap.height, 0);
    for (int y = 0; y < bitmap.height; ++y) {
        const uchar* line = image.constScanLine(bitmap.height - 1 - y);  // bottom row first
        for (int x = 0; x < bitmap.width; ++x) {
            if (line[x] >= 128) bitmap.bits[static_cast<size_t>(y) * rowBytes + x / 8] |= 0x80 >> (x % 8);
        }
    }
    return cache_.emplace(utf8Line, std::move(bitmap)).first->second;
}
