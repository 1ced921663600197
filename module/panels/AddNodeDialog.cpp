#include "panels/AddNodeDialog.h"

#include <QComboBox>
#include <QPushButton>

#include <algorithm>

#include "panels/DialogTemplate.h"

AddNodeDialog::AddNodeDialog(QWidget* parent, const std::vector<int>& numbers) : QDialog(parent) {
    DialogTemplate t(*this, QStringLiteral("11041"), QStringLiteral("節点の追加"), 151, 29);
    t.Label(QStringLiteral("スパン番号"), 7, 8, 46, 8);
    spans = new QComboBox(this);
    spans->setObjectName(QStringLiteral("11015"));
    const QRect box = t.Units().Rect(55, 6, 35, 78);  // the height is the dropped list's
    spans->setGeometry(box.x(), box.y(), box.width(), spans->sizeHint().height());
    const int rowHeight = std::max(1, spans->fontMetrics().height());
    spans->setMaxVisibleItems(std::max(1, (box.height() - spans->height()) / rowHeight));
    ok = t.Ok(94, 6);

    QStringList texts;
    for (const int number : numbers) texts << QString::asprintf("%d", number);
    std::sort(texts.begin(), texts.end());
    spans->addItems(texts);
    spans->setCurrentIndex(texts.isEmpty() ? -1 : 0);
}

void AddNodeDialog::accept() {
    if (spans->currentIndex() < 0) return;  // nothing to choose
    chosen_ = spans->currentText().toInt() - 1;
    QDialog::accept();
}
