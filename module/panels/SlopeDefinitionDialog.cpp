#include "panels/SlopeDefinitionDialog.h"

#include <QKeyEvent>

#include "panels/DefineSlopePanel.h"

SlopeDefinitionDialog::SlopeDefinitionDialog(QWidget* parent, const std::vector<NodeRef>& picked,
                                             SlopeShapeList& shapes, EditorRefresh& refresh)
    : QDialog(parent) {
    setObjectName(QStringLiteral("11014"));
    setWindowTitle(QStringLiteral("斜面定義"));
    panel_ = new DefineSlopePanel(this, picked, shapes, refresh, [this](int result) { done(result); });
    resize(300, 300);
}

void SlopeDefinitionDialog::keyPressEvent(QKeyEvent* event) {
    // The dialog's own OK does nothing: only 定義して登録 defines.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;
    QDialog::keyPressEvent(event);
}

void SlopeDefinitionDialog::reject() { panel_->Cancel(); }

void SlopeDefinitionDialog::resizeEvent(QResizeEvent*) { panel_->setGeometry(rect()); }

void OpenDefineDialog(QWidget* parent, const std::vector<NodeRef>& picked, SlopeShapeList& shapes,
                      EditorRefresh& refresh) {
    SlopeDefinitionDialog dialog(parent, picked, shapes, refresh);
    dialog.exec();
}
