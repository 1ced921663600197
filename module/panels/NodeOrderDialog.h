#pragma once
// "節点順番の入替" (11040): an element's vertex numbers put in a new order.
// List 1012 holds the items still to place, in the order given; ">>" (11012)
// moves the selected one to the end of list 1013, the new order; "クリア"
// (11013) starts again. OK closes only once every item has moved.

#include <QDialog>

#include <string>
#include <vector>

class QListWidget;
class QPushButton;

class NodeOrderDialog : public QDialog {
    Q_OBJECT
public:
    NodeOrderDialog(QWidget* parent, const std::vector<std::string>& items);

    // The items in the new order, as taken on OK (empty until then).
    const std::vector<std::string>& Order() const { return order_; }

    QListWidget* remaining = nullptr;  // 1012
    QListWidget* ordered = nullptr;    // 1013
    QPushButton* move = nullptr;       // 11012 ">>"
    QPushButton* clear = nullptr;      // 11013 "クリア"
    QPushButton* ok = nullptr;

    void MoveSelected();
    void Clear();
    void accept() override;

private:
    std::vector<std::string> items_;
    std::vector<std::string> order_;
};
