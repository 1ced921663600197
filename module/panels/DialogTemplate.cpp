#include "panels/DialogTemplate.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "Dialogs.h"
#include "toolkit/DarkStyle.h"

namespace {

// The template font: 9 points, 12 pixels on a 96-dpi screen.
QFont TemplateFont() { return toolkit::UiFont(12); }

}  // namespace

DialogTemplate::DialogTemplate(QDialog& dialog, const QString& id, const QString& title, int width, int height)
    : dialog_(dialog), units_(TemplateFont()) {
    dialog_.setObjectName(id);
    dialog_.setWindowTitle(title);
    dialog_.setFont(TemplateFont());
    dialog_.setFixedSize(units_.X(width), units_.Y(height));
}

QLabel* DialogTemplate::Label(const QString& text, int x, int y, int width, int height) {
    auto* label = new QLabel(text, &dialog_);
    label->setGeometry(units_.Rect(x, y, width, height));
    return label;
}

QLineEdit* DialogTemplate::Edit(int id, int x, int y, int width, int height) {
    auto* edit = new QLineEdit(&dialog_);
    edit->setObjectName(QString::number(id));
    edit->setGeometry(units_.Rect(x, y, width, height));
    return edit;
}

QPushButton* DialogTemplate::Button(int id, const QString& text, int x, int y, int width, int height) {
    auto* button = new QPushButton(text, &dialog_);
    button->setObjectName(QString::number(id));
    button->setGeometry(units_.Rect(x, y, width, height));
    button->setAutoDefault(false);
    return button;
}

QPushButton* DialogTemplate::Ok(int x, int y) {
    QPushButton* ok = Button(1, QStringLiteral("OK"), x, y, 50, 14);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog_, &QDialog::accept);
    return ok;
}

void DialogTemplate::Refuse(QLineEdit* field, const char* message) {
    platform::CurrentDialogs().ShowMessage(message);
    field->setFocus();
    field->selectAll();
}
