#include "panels/NodeOrderDialog.h"

#include <QListWidget>
#include <QPushButton>

#include "Dialogs.h"
#include "mesh/MeshMessages.h"
#include "panels/DialogTemplate.h"

namespace {

QListWidget* List(QDialog& dialog, const DialogTemplate& t, int id, int x, int y) {
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QString::number(id));
    list->setGeometry(t.Units().Rect(x, y, 68, 95));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

}  // namespace

NodeOrderDialog::NodeOrderDialog(QWidget* parent, const std::vector<std::string>& items)
    : QDialog(parent), items_(items) {
    DialogTemplate t(*this, QStringLiteral("11040"), QStringLiteral("節点順番の入替"), 177, 129);
    remaining = List(*this, t, 1012, 7, 7);
    ordered = List(*this, t, 1013, 101, 7);
    move = t.Button(11012, QStringLiteral(">>"), 78, 37, 20, 12);
    clear = t.Button(11013, QStringLiteral("クリア"), 78, 57, 20, 12);
    ok = t.Ok(120, 108);
    connect(move, &QPushButton::clicked, this, &NodeOrderDialog::MoveSelected);
    connect(clear, &QPushButton::clicked, this, &NodeOrderDialog::Clear);
    Clear();
}

void NodeOrderDialog::MoveSelected() {
    const QList<QListWidgetItem*> chosen = remaining->selectedItems();
    if (chosen.isEmpty()) {
        platform::CurrentDialogs().ShowMessage(kMeshOrderSelectLeft);
        return;
    }
    ordered->addItem(chosen.front()->text());
    delete remaining->takeItem(remaining->row(chosen.front()));
    remaining->clearSelection();  // the next move is chosen afresh
}

void NodeOrderDialog::Clear() {
    remaining->clear();
    ordered->clear();
    for (const std::string& item : items_) remaining->addItem(QString::fromStdString(item));
}

void NodeOrderDialog::accept() {
    if (remaining->count() != 0) {
        platform::CurrentDialogs().ShowMessage(kMeshOrderItemsLeft);
        return;
    }
    order_.clear();
    for (int row = 0; row < ordered->count(); ++row) order_.push_back(ordered->item(row)->text().toStdString());
    QDialog::accept();
}
