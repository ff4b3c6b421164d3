#include "ui/fonts.h"

#include <QStringList>

namespace {

const QString kProportionalGothic = QStringLiteral("ＭＳ Ｐゴシック");
const QString kFixedGothic = QStringLiteral("ＭＳ ゴシック");

QFont gothic(const QString& family) {
    QFont font(family);
    font.setPixelSize(12);
    return font;
}

} // namespace

void registerFontSubstitutions() {
    const QStringList proportional = {QStringLiteral("IPAPGothic"),
                                      QStringLiteral("IPA Pゴシック")};
    const QStringList fixed = {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")};
    QFont::insertSubstitutions(kProportionalGothic, proportional);
    QFont::insertSubstitutions(QStringLiteral("MS PGothic"), proportional);
    QFont::insertSubstitutions(kFixedGothic, fixed);
    QFont::insertSubstitutions(QStringLiteral("MS Gothic"), fixed);
}

QFont windowFont() {
    return gothic(kProportionalGothic);
}

QFont previewFont() {
    QFont font = gothic(kFixedGothic);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}
