#include "DarkStyle.h"

namespace toolkit {
namespace {
QFont Make(const QStringList& families, int pixelSize) {
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}
}  // namespace

QFont UiFont(int pixelSize) {
    return Make({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP"),
                 QStringLiteral("VL PGothic")},
                pixelSize);
}

QFont FixedFont(int pixelSize) {
    return Make({QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans Mono CJK JP")},
                pixelSize);
}

}  // namespace toolkit
