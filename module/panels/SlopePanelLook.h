#pragma once
// What the define and edit panels of the slope definition dialog share: the
// dark name edit and the painted face with its labels, the frame round the
// name edit and the group round 繰り返し.

#include <QRect>

class QLineEdit;
class QPainter;
class QWidget;

// The name edit (120 × 15 at (60, 116)), light text on its dark brush.
QLineEdit* MakeSlopeNameEdit(QWidget* panel);

// Places the controls for a panel `width` wide: the layer lists grow with
// it, and the two buttons (80 wide, at `buttonTop`) take the second and
// third of three equal slots.
void PlaceSlopePanelControls(int width, int buttonTop, QWidget* upper, QWidget* lower, QWidget* repeatLayer,
                             QWidget* firstButton, QWidget* secondButton);

// Paints `area` (the panel's client rectangle) with the labels 上層, 下層,
// タイプ, 名称, the frame round `nameEdit` and the group whose corner is
// the centre of `repeatItem`.
void PaintSlopePanel(QPainter& p, const QRect& area, const QRect& nameEdit, const QRect& repeatItem);
