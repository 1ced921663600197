#include "panels/SlopeDefinitionDialog.h"

#include <QKeyEvent>

#include "panels/DefineSlopePanel.h"
#include "panels/EditSlopePanel.h"

SlopeDefinitionDialog::SlopeDefinitionDialog(QWidget* parent, const std::vector<NodeRef>& picked,
                                             SlopeShapeList& shapes, EditorRefresh& refresh)
    : QDialog(parent) {
    setObjectName(QStringLiteral("11014"));
    setWindowTitle(QStringLiteral("斜面定義"));
    panel_ = new DefineSlopePanel(this, picked, shapes, refresh, [this](int result) { done(result); });
    resize(300, 300);
}

SlopeDefinitionDialog::SlopeDefinitionDialog(QWidget* parent, SlopeShapeList& shapes, EditorRefresh& refresh)
    : QDialog(parent) {
    setObjectName(QStringLiteral("11014"));
    setWindowTitle(QStringLiteral("斜面定義"));
    editPanel_ = new EditSlopePanel(this, shapes, refresh, [this](int result) { done(result); });
    resize(300, 350);
}

void SlopeDefinitionDialog::keyPressEvent(QKeyEvent* event) {
    // On the define side the dialog's own OK does nothing: only 定義して登録
    // defines.
    if (panel_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) return;
    QDialog::keyPressEvent(event);
}

void SlopeDefinitionDialog::reject() {
    if (panel_)
        panel_->Cancel();
    else
        QDialog::reject();
}

void SlopeDefinitionDialog::resizeEvent(QResizeEvent*) {
    if (panel_) panel_->setGeometry(rect());
    if (editPanel_) editPanel_->setGeometry(rect());
}

void OpenDefineDialog(QWidget* parent, const std::vector<NodeRef>& picked, SlopeShapeList& shapes,
                      EditorRefresh& refresh) {
    SlopeDefinitionDialog dialog(parent, picked, shapes, refresh);
    dialog.exec();
}

void OpenEditDialog(QWidget* parent, SlopeShapeList& shapes, EditorRefresh& refresh) {
    SlopeDefinitionDialog dialog(parent, shapes, refresh);
    dialog.exec();
}
