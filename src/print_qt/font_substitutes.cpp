#include "print_qt/font_substitutes.h"

#include <QFont>
#include <QStringList>

namespace toq::print_qt {

namespace {

struct WindowsName {
  const char* japanese;  // UTF-8
  const char* english;
};
constexpr WindowsName kWindowsNames[] = {{"ＭＳ 明朝", "MS Mincho"},
                                         {"ＭＳ ゴシック", "MS Gothic"},
                                         {"ＭＳ Ｐ明朝", "MS PMincho"},
                                         {"ＭＳ Ｐゴシック", "MS PGothic"}};

}  // namespace

QString platformFace(const QString& face) {
#ifdef Q_OS_WIN
  for (const WindowsName& name : kWindowsNames)
    if (face == QString::fromUtf8(name.japanese)) return QString::fromLatin1(name.english);
#endif
  return face;
}

void installFontSubstitutes() {
  QStringList mincho = {QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝"),
                        QStringLiteral("IPAPMincho"), QStringLiteral("Noto Serif CJK JP")};
  QStringList gothic = {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"),
                        QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")};
#ifdef Q_OS_WIN
  // Windows 10 and later ship Yu Mincho and Yu Gothic even where the MS faces are an optional
  // feature.
  mincho.prepend(QStringLiteral("Yu Mincho"));
  gothic.prepend(QStringLiteral("Yu Gothic"));
#endif
  for (const QString& face :
       {QStringLiteral("ＭＳ 明朝"), QStringLiteral("@ＭＳ 明朝"), QStringLiteral("MS Mincho"),
        QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("MS PMincho")})
    QFont::insertSubstitutions(face, mincho);
  for (const QString& face : {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("@ＭＳ ゴシック"),
                              QStringLiteral("MS Gothic"), QStringLiteral("ＭＳ Ｐゴシック"),
                              QStringLiteral("MS PGothic"), QStringLiteral("MS UI Gothic"),
                              QStringLiteral("Yu Gothic UI")})
    QFont::insertSubstitutions(face, gothic);
}

}  // namespace toq::print_qt
