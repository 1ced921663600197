#include "DialogUnits.h"

#include <QFontMetrics>

namespace platform {

DialogUnits::DialogUnits(const QFont& font) {
    QFontMetrics metrics(font);
    // The average width of the Latin letters, as the system measures it.
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseX_ = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
    if (baseX_ < 1) baseX_ = 1;
    baseY_ = metrics.height() > 0 ? metrics.height() : 1;
}

}  // namespace platform
