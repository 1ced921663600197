#pragma once
// "節点の追加" (11041): the span of an element that gets a new node, chosen
// from drop-down 11015 "スパン番号". The list sorts as text, so spans 1 to
// 12 read 1, 10, 11, 12, 2, …; the first entry starts selected.

#include <QDialog>

#include <vector>

class QComboBox;
class QPushButton;

class AddNodeDialog : public QDialog {
    Q_OBJECT
public:
    AddNodeDialog(QWidget* parent, const std::vector<int>& spans);

    // The chosen span number minus 1, as taken on OK (-1 until then).
    int ChosenIndex() const { return chosen_; }

    QComboBox* spans = nullptr;  // 11015
    QPushButton* ok = nullptr;

    void accept() override;

private:
    int chosen_ = -1;
};
