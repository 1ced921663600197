#include "MainDialog.h"

MainDialog::MainDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("MainDialog"));
    setWindowTitle(QStringLiteral("Tormel"));
    resize(800, 600);
}
