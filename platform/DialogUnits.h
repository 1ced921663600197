#pragma once
// Dialog templates give sizes in dialog units: a quarter of the dialog
// font's average character width horizontally, an eighth of its height
// vertically.

#include <QFont>
#include <QPoint>
#include <QRect>

namespace platform {

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    int X(int units) const { return (units * baseX_ + 2) / 4; }
    int Y(int units) const { return (units * baseY_ + 4) / 8; }
    QRect Rect(int x, int y, int w, int h) const { return {X(x), Y(y), X(w), Y(h)}; }

private:
    int baseX_;
    int baseY_;
};

}  // namespace platform
