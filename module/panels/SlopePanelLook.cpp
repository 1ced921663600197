#include "panels/SlopePanelLook.h"

#include <QLineEdit>
#include <QPainter>

#include <utility>

#include "toolkit/DarkStyle.h"

namespace {

constexpr int kGroupHeight = 57;

}  // namespace

QLineEdit* MakeSlopeNameEdit(QWidget* panel) {
    auto* name = new QLineEdit(panel);
    name->setObjectName(QStringLiteral("name"));
    name->setGeometry(60, 116, 120, 15);
    name->setFrame(false);
    name->setFont(toolkit::UiFont(12));
    name->setStyleSheet(QStringLiteral("QLineEdit { background: rgb(20, 20, 20); color: rgb(200, 200, 200); }"));
    return name;
}

void PaintSlopePanel(QPainter& p, const QRect& area, const QRect& nameEdit, const QRect& repeatItem) {
    p.fillRect(area, toolkit::FaceColour());
    p.setPen(toolkit::DarkEdgeColour());
    p.drawRect(area.adjusted(0, 0, -1, -1));
    p.setPen(QColor(100, 100, 100));
    p.drawLine(1, 1, area.width() - 2, 1);
    p.drawLine(1, 1, 1, area.height() - 2);

    p.setFont(toolkit::UiFont(12));
    p.setPen(toolkit::TextColour());
    const QFontMetrics metrics(p.font());
    const std::pair<int, const char*> labels[] = {{25, "上層"}, {55, "下層"}, {85, "タイプ"}, {115, "名称"}};
    for (const auto& [y, text] : labels) p.drawText(10, y + metrics.ascent(), QString::fromUtf8(text));

    // The name edit's frame: grey, then black one pixel inside.
    p.fillRect(nameEdit.adjusted(-2, -2, 2, 2), QColor(80, 80, 80));
    p.fillRect(nameEdit.adjusted(-1, -1, 1, 1), Qt::black);

    // The group round 繰り返し and its list, the item sitting on its frame.
    const QPoint corner = repeatItem.center();
    p.setPen(toolkit::StripColour());
    p.setBrush(toolkit::FaceColour());
    p.drawRect(QRect(corner, QPoint(area.width() - corner.x(), corner.y() + kGroupHeight - 1)));
    p.fillRect(repeatItem.adjusted(0, 0, 10, 10), toolkit::FaceColour());
    p.setPen(toolkit::TextColour());
    p.drawText(corner.x() + 30, corner.y() + 23 + metrics.ascent(), QStringLiteral("～"));
}

void PlaceSlopePanelControls(int width, int buttonTop, QWidget* upper, QWidget* lower, QWidget* repeatLayer,
                             QWidget* firstButton, QWidget* secondButton) {
    constexpr int kButtonWidth = 80;
    const int a = (width - 100) / 2;
    upper->setGeometry(60, 20, a + 60, 20);
    lower->setGeometry(60, 50, a + 60, 20);
    repeatLayer->setGeometry(60, 170, a + 40, 20);
    const int gap = (width - 3 * kButtonWidth) / 4;
    firstButton->move(kButtonWidth + 2 * gap, buttonTop);
    secondButton->move(2 * kButtonWidth + 3 * gap, buttonTop);
}
