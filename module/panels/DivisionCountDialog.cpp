#include "panels/DivisionCountDialog.h"

#include <QLineEdit>
#include <QPushButton>

#include <optional>
#include <string>
#include <string_view>

#include "mesh/MeshMessages.h"
#include "mesh/NumberText.h"
#include "panels/DialogTemplate.h"

namespace {

// The field as a count: the whole text one integer (blanks around it
// allowed) from 1 to 999. Refuses it otherwise.
bool ReadCount(QLineEdit* field, int& count) {
    const std::string text = field->text().toStdString();
    std::string_view rest = text;
    const std::optional<int32_t> read = textnum::ScanInt(rest);
    if (!read || rest.find_first_not_of(" \t\r\n\v\f") != std::string_view::npos ||
        *read < DivisionCountDialog::kMinimumCount || *read > DivisionCountDialog::kMaximumCount) {
        DialogTemplate::Refuse(field, kMeshCountRange);
        return false;
    }
    count = *read;
    return true;
}

}  // namespace

DivisionCountDialog::DivisionCountDialog(QWidget* parent) : QDialog(parent) {
    DialogTemplate t(*this, QStringLiteral("11039"), QStringLiteral("自動分割"), 163, 45);
    t.Label(QStringLiteral("分割数１"), 7, 10, 48, 8);
    count1 = t.Edit(11006, 59, 7, 40, 14);
    t.Label(QStringLiteral("分割数２"), 7, 24, 48, 8);
    count2 = t.Edit(11007, 59, 21, 40, 14);
    ok = t.Ok(106, 7);
    count1->setText(QString::number(counts_.first));
    count2->setText(QString::number(counts_.second));
}

void DivisionCountDialog::accept() {
    std::pair<int, int> read;
    if (!ReadCount(count1, read.first) || !ReadCount(count2, read.second)) return;
    counts_ = read;
    QDialog::accept();
}
