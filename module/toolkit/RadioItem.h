#pragma once
// A radio item of the dark style ("radio"). A left press posts WM_USER + 1
// with its code; the parent decides which item is checked.

#include <QWidget>

namespace toolkit {

class RadioItem : public QWidget {
    Q_OBJECT
public:
    RadioItem(QWidget* parent, const QRect& rect, const QString& text, bool checked, int code);

    bool IsChecked() const { return checked_; }
    void SetChecked(bool checked);
    int Code() const { return code_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent*) override;

private:
    QString text_;
    bool checked_;
    int code_;
};

}  // namespace toolkit
