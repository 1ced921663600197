#pragma once
// "斜面形状順番の入れ替え" (105): the vertices of a slope outline put in a
// new order. List 1012 holds the vertex numbers still to place, in text
// order ("1", "10", "11", "2", …); choosing one moves it to the end of list
// 1013, the new order. OK is enabled once every vertex has moved; it
// rewrites the shape's vertices in that order. Nothing moves back; cancel
// keeps the old order.

#include <QDialog>

#include <vector>

#include "model/SlopeShape.h"

class QListWidget;
class QPushButton;

class ShapeOrderDialog : public QDialog {
    Q_OBJECT
public:
    // `shape` must outlive the dialog.
    ShapeOrderDialog(QWidget* parent, SlopeShape& shape);

    QListWidget* remaining = nullptr;  // 1012
    QListWidget* ordered = nullptr;    // 1013
    QPushButton* ok = nullptr;         // 1
    QPushButton* cancel = nullptr;     // 2

    // Moves the entry of `remaining` at `row` to the end of `ordered`.
    void MoveEntry(int row);

    void accept() override;

private:
    void SelectionChanged();

    SlopeShape& shape_;
    bool moving_ = false;
};

// Puts the shape's vertices and their nodes in the order `order` gives
// (old vertex indices, each once): false, changing nothing, when `order` is
// not such a permutation.
bool ReorderShapeVertices(SlopeShape& shape, const std::vector<int>& order);

// Command 32783: runs the dialog modally on `shape`.
void RunShapeOrderDialog(QWidget* parent, SlopeShape& shape);
