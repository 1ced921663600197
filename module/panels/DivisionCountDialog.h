#pragma once
// "自動分割" (11039): the two division counts of an element, "分割数１"
// (11006, for its first and third edges) and "分割数２" (11007, for its
// second and fourth). Both start at 1; OK takes them only when each is a
// whole number from 1 to 999, otherwise it says so and the dialog stays open.

#include <QDialog>

#include <utility>

class QLineEdit;
class QPushButton;

class DivisionCountDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinimumCount = 1;
    static constexpr int kMaximumCount = 999;

    explicit DivisionCountDialog(QWidget* parent);

    // Counts 1 and 2 as taken on OK (1 and 1 until then).
    std::pair<int, int> Counts() const { return counts_; }

    QLineEdit* count1 = nullptr;  // 11006
    QLineEdit* count2 = nullptr;  // 11007
    QPushButton* ok = nullptr;

    void accept() override;

private:
    std::pair<int, int> counts_{kMinimumCount, kMinimumCount};
};
