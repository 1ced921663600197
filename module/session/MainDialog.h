#pragma once
// The editor's main window: modal, titled "Tormel", 800 × 600 at the start.

#include <QDialog>

class MainDialog : public QDialog {
    Q_OBJECT
public:
    explicit MainDialog(QWidget* parent = nullptr);
};
