#pragma once
// "節点座標" (11038): a mesh node's coordinates in three edits, X (11011),
// Y (11009) and Z (11010). OK takes them only when each is a number within
// ±1e9 (larger ones would not fit a mesh file's line, nor read back);
// otherwise it names the fault and the dialog stays open.

#include <QDialog>

#include "mesh/MeshElement.h"

class QLineEdit;
class QPushButton;

class NodeCoordinatesDialog : public QDialog {
    Q_OBJECT
public:
    NodeCoordinatesDialog(QWidget* parent, const MeshVertex& at);

    // The coordinates taken on OK (those given until then).
    const MeshVertex& Coordinates() const { return coordinates_; }

    QLineEdit* x = nullptr;  // 11011
    QLineEdit* y = nullptr;  // 11009
    QLineEdit* z = nullptr;  // 11010
    QPushButton* ok = nullptr;

    void accept() override;

private:
    MeshVertex coordinates_;
};
