#include "ui/qt_text.h"

#include <QDir>
#include <QTextDocument>

#include "text/cp932.h"

namespace toq::ui {

QString fromCp932(std::string_view cp932) {
  QString out = fromUtf8(text::toUtf8(cp932));
  // A control character that an old file holds is shown as "\x1B", never sent to the screen;
  // line breaks and tabs of multi-line texts (explanations) stay.
  for (qsizetype i = 0; i < out.size(); ++i) {
    const char16_t c = out[i].unicode();
    const bool control =
        (c < 0x20 && c != u'\n' && c != u'\r' && c != u'\t') || (c >= 0x7F && c <= 0x9F);
    if (!control) continue;
    const QString shown = QStringLiteral("\\x") +
                          QString::number(c, 16).rightJustified(2, QLatin1Char('0')).toUpper();
    out.replace(i, 1, shown);
    i += shown.size() - 1;
  }
  return out;
}

QString plainToolTip(const QString& text) {
  // A tool tip is taken as rich text when it looks like markup: such a text is escaped and kept
  // in its lines, so that a name such as "<img src=...>" reads as typed.
  if (!Qt::mightBeRichText(text)) return text;
  return QStringLiteral("<p style='white-space:pre'>%1</p>").arg(text.toHtmlEscaped());
}

QString fromUtf8(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::optional<std::string> toCp932(const QString& text) {
  return text::toCp932(toUtf8(text));
}

std::string toUtf8(const QString& text) {
  return text.toUtf8().toStdString();
}

std::filesystem::path toPath(const QString& fileName) {
  // Qt's dialogs answer "/" on every system; the core joins with the native separator.
  return std::filesystem::path(QDir::toNativeSeparators(fileName).toStdU16String());
}

QString fromPath(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

}  // namespace toq::ui
