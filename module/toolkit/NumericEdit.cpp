#include "NumericEdit.h"

#include <QKeyEvent>

#include <cstdio>
#include <cstdlib>

namespace toolkit {
namespace {
// C formatting, so that the edit shows what the settings file will hold.
QString Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return QString::fromLatin1(text);
}
}  // namespace

NumericEdit::NumericEdit(QWidget* parent, const QRect& rect, Kind kind, double minimum, double maximum)
    : QLineEdit(parent), kind_(kind), minimum_(minimum), maximum_(maximum) {
    setGeometry(rect);
    setFrame(false);
    Recolour(false);
}

QString NumericEdit::Normalised(const QString& text, Kind kind, double minimum, double maximum) {
    // atoi / atof read a leading number and give 0 for none, as the settings
    // file reader does.
    const QByteArray bytes = text.toLocal8Bit();
    switch (kind) {
        case kInteger: return QString::number(std::atoi(bytes.constData()));
        case kReal: return Format("%.1f", std::atof(bytes.constData()));
        case kLimitedReal: {
            double value = std::atof(bytes.constData());
            if (value > maximum) value = maximum;
            if (value < minimum) value = minimum;
            return Format("%.1f", value);
        }
    }
    return text;
}

void NumericEdit::Normalise() { setText(Normalised(text(), kind_, minimum_, maximum_)); }

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
