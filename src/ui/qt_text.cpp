#include "ui/qt_text.h"

#include <QDir>

#include "text/cp932.h"

namespace toq::ui {

QString fromCp932(std::string_view cp932) {
  return fromUtf8(text::toUtf8(cp932));
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
