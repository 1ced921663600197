#pragma once
// An edit box for numbers. When it loses the focus its text is rewritten:
// kind 1 as a whole number ("%d" of the text's integer value), kind 2 with
// one decimal, kind 3 with one decimal after clamping to its limits. Enter
// moves the focus on, as Tab does.

#include <QLineEdit>

namespace toolkit {

class NumericEdit : public QLineEdit {
    Q_OBJECT
public:
    enum Kind { kInteger = 1, kReal = 2, kLimitedReal = 3 };

    NumericEdit(QWidget* parent, const QRect& rect, Kind kind, double minimum = 0.0, double maximum = 0.0);

    Kind EditKind() const { return kind_; }
    // The text as it would read after losing the focus.
    static QString Normalised(const QString& text, Kind kind, double minimum, double maximum);
    void Normalise();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Recolour(bool focused);

    Kind kind_;
    double minimum_;
    double maximum_;
};

}  // namespace toolkit
