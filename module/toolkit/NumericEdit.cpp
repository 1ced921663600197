#include "NumericEdit.h"

#include <QKeyEvent>

#include "mesh/NumberText.h"

namespace toolkit {

NumericEdit::NumericEdit(QWidget* parent, const QRect& rect, Kind kind, double minimum, double maximum)
    : QLineEdit(parent), kind_(kind), minimum_(minimum), maximum_(maximum) {
    setGeometry(rect);
    setFrame(false);
    Recolour(false);
}

QString NumericEdit::Normalised(const QString& text, Kind kind, double minimum, double maximum) {
    // A leading number is read and 0 taken for none, as the settings file
    // reader does, whatever the process locale.
    const std::string bytes = text.toStdString();
    switch (kind) {
        case kInteger: return QString::fromStdString(textnum::FormatInt(textnum::AtoI(bytes)));
        case kReal: return QString::fromStdString(textnum::FormatFixed(textnum::AtoF(bytes), 1));
        case kLimitedReal: {
            double value = textnum::AtoF(bytes);
            if (value > maximum) value = maximum;
            if (value < minimum) value = minimum;
            return QString::fromStdString(textnum::FormatFixed(value, 1));
        }
    }
    return text;
}

void NumericEdit::Normalise() {
    setText(Normalised(text(), kind_, minimum_, maximum_));
    setCursorPosition(0);  // a narrow edit shows the start of its number
}

void NumericEdit::Recolour(bool focused) {
    const int ink = focused ? 200 : 100;
    setStyleSheet(QStringLiteral("QLineEdit { background: rgb(20, 20, 20); color: rgb(%1, %1, %1);"
                                 " border: 1px solid rgb(100, 100, 100); }")
                      .arg(ink));
}

void NumericEdit::focusInEvent(QFocusEvent* event) {
    Recolour(true);
    QLineEdit::focusInEvent(event);
}

void NumericEdit::focusOutEvent(QFocusEvent* event) {
    Normalise();
    Recolour(false);
    QLineEdit::focusOutEvent(event);
}

void NumericEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        focusNextChild();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace toolkit
