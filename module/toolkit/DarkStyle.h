#pragma once
// The colours and font of the editor's panes, dialogs and controls.

#include <QColor>
#include <QFont>

namespace toolkit {

inline QColor FaceColour() { return QColor(40, 40, 40); }
inline QColor TextColour() { return QColor(200, 200, 200); }
inline QColor StripColour() { return QColor(60, 60, 60); }
inline QColor DarkEdgeColour() { return QColor(10, 10, 10); }
inline QColor LightEdgeColour() { return QColor(80, 80, 80); }

// The proportional Japanese UI font at a pixel size ("IPAPGothic", falling
// back to any Japanese sans).
QFont UiFont(int pixelSize = 12);
// The fixed-pitch Japanese font.
QFont FixedFont(int pixelSize = 12);

}  // namespace toolkit
