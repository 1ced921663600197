#include "panels/ShapeOrderDialog.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "toolkit/DarkStyle.h"

namespace {

// Dialog units of the template's font, in pixels (four horizontal and eight
// vertical units to a character of 6 × 12 pixels).
QRect Units(int x, int y, int w, int h) { return QRect(x * 3 / 2, y * 3 / 2, w * 3 / 2, h * 3 / 2); }

}  // namespace

ShapeOrderDialog::ShapeOrderDialog(QWidget* parent, SlopeShape& shape) : QDialog(parent), shape_(shape) {
    setObjectName(QStringLiteral("105"));
    setWindowTitle(QStringLiteral("斜面形状順番の入れ替え"));
    setFont(toolkit::UiFont(12));
    setFixedSize(Units(0, 0, 206, 159).size());

    remaining = new QListWidget(this);
    remaining->setObjectName(QStringLiteral("1012"));
    remaining->setGeometry(Units(7, 13, 80, 109));
    remaining->setSortingEnabled(true);  // by text: "1", "10", "11", "2", …
    auto* arrow = new QLabel(QStringLiteral("->"), this);
    arrow->setGeometry(Units(95, 64, 10, 25));
    ordered = new QListWidget(this);
    ordered->setObjectName(QStringLiteral("1013"));
    ordered->setGeometry(Units(110, 13, 80, 109));

    ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setGeometry(Units(92, 138, 50, 14));
    ok->setDefault(true);
    ok->setEnabled(false);
    cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setGeometry(Units(149, 138, 50, 14));
    connect(ok, &QPushButton::clicked, this, &ShapeOrderDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &ShapeOrderDialog::reject);

    for (int i = 1; i <= shape_.VertexCount(); ++i) remaining->addItem(QString::asprintf("%d", i));
    connect(remaining, &QListWidget::itemSelectionChanged, this, &ShapeOrderDialog::SelectionChanged);
}

void ShapeOrderDialog::SelectionChanged() {
    if (moving_) return;
    const QList<QListWidgetItem*> chosen = remaining->selectedItems();
    if (!chosen.isEmpty()) MoveEntry(remaining->row(chosen.front()));
}

void ShapeOrderDialog::MoveEntry(int row) {
    if (row < 0 || row >= remaining->count()) return;
    moving_ = true;  // taking the item changes the selection again
    QListWidgetItem* item = remaining->takeItem(row);
    ordered->addItem(item->text());
    delete item;
    remaining->clearSelection();
    moving_ = false;
    ok->setEnabled(remaining->count() == 0);
}

void ShapeOrderDialog::accept() {
    if (remaining->count() != 0) return;  // OK is disabled until then
    std::vector<int> order;
    for (int row = 0; row < ordered->count(); ++row) order.push_back(ordered->item(row)->text().toInt() - 1);
    ReorderShapeVertices(shape_, order);
    QDialog::accept();
}

bool ReorderShapeVertices(SlopeShape& shape, const std::vector<int>& order) {
    const size_t n = shape.vertices.size();
    if (order.size() != n || shape.nodes.size() != n) return false;
    std::vector<bool> seen(n, false);
    for (const int index : order) {
        if (index < 0 || static_cast<size_t>(index) >= n || seen[static_cast<size_t>(index)]) return false;
        seen[static_cast<size_t>(index)] = true;
    }
    std::vector<Vec3d> vertices;
    std::vector<NodeRef> nodes;
    for (const int index : order) {
        vertices.push_back(shape.vertices[static_cast<size_t>(index)]);
        nodes.push_back(shape.nodes[static_cast<size_t>(index)]);
    }
    shape.vertices = std::move(vertices);
    shape.nodes = std::move(nodes);
    return true;
}

void RunShapeOrderDialog(QWidget* parent, SlopeShape& shape) {
    ShapeOrderDialog dialog(parent, shape);
    dialog.exec();
}
