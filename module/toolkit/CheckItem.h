#pragma once
// A check box of the dark style ("CheckItem"). A left press inverts it and
// posts WM_USER + 4 with its index to the parent.

#include <QWidget>

namespace toolkit {

class CheckItem : public QWidget {
    Q_OBJECT
public:
    CheckItem(QWidget* parent, const QPoint& origin, const QString& text, int index, bool checked);

    bool IsChecked() const { return checked_; }
    void SetChecked(bool checked);
    int Index() const { return index_; }
    QString Text() const { return text_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent*) override;

private:
    QString text_;
    int index_;
    bool checked_;
};

}  // namespace toolkit
