#include "print_qt/font_substitutes.h"

#include <QFont>
#include <QStringList>

namespace toq::print_qt {

void installFontSubstitutes() {
  const QStringList mincho = {QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝"),
                              QStringLiteral("IPAPMincho"), QStringLiteral("Noto Serif CJK JP")};
  const QStringList gothic = {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"),
                              QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")};
  for (const QString& face : {QStringLiteral("ＭＳ 明朝"), QStringLiteral("@ＭＳ 明朝"),
                              QStringLiteral("MS Mincho"), QStringLiteral("ＭＳ Ｐ明朝")})
    QFont::insertSubstitutions(face, mincho);
  for (const QString& face : {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("@ＭＳ ゴシック"),
                              QStringLiteral("MS Gothic"), QStringLiteral("ＭＳ Ｐゴシック"),
                              QStringLiteral("MS UI Gothic")})
    QFont::insertSubstitutions(face, gothic);
}

}  // namespace toq::print_qt
