#pragma once
// Builds a small dialog as its resource template lays it out: object names
// are the control ids, positions and sizes are in dialog units of the
// template font ("IPAPGothic" standing in for "ＭＳ Ｐゴシック"). The dialog
// has an OK button (id 1) and no Cancel button: Escape and the close box
// cancel.

#include <QString>

#include "DialogUnits.h"

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;

class DialogTemplate {
public:
    // Names and titles `dialog` and fixes its client size.
    DialogTemplate(QDialog& dialog, const QString& id, const QString& title, int width, int height);

    const platform::DialogUnits& Units() const { return units_; }

    QLabel* Label(const QString& text, int x, int y, int width, int height);
    QLineEdit* Edit(int id, int x, int y, int width, int height);
    QPushButton* Button(int id, const QString& text, int x, int y, int width, int height);
    // The default button; it runs the dialog's accept(), which checks its
    // fields before the dialog closes.
    QPushButton* Ok(int x, int y);

    // A field the dialog cannot take: the message is shown, then the field
    // gets the focus with its text selected, and the dialog stays open.
    static void Refuse(QLineEdit* field, const char* message);

private:
    QDialog& dialog_;
    platform::DialogUnits units_;
};
