#include "ui/column_settings.h"

#include <QCryptographicHash>
#include <QSettings>

#include "ui/qt_text.h"

namespace toq::ui {

namespace {

const QString kGroup = QStringLiteral("EntryColumns");

// One key per header row: a hash of its cells, so that any text can be a header.
QString keyOf(const std::vector<std::string>& headers) {
  QCryptographicHash hash(QCryptographicHash::Sha256);
  for (const std::string& h : headers) {
    hash.addData(QByteArrayView(h.data(), static_cast<qsizetype>(h.size())));
    hash.addData(QByteArrayView("\n", 1));
  }
  return QString::fromLatin1(hash.result().toHex().left(32));
}

}  // namespace

data::ColumnChoice storedColumns(AppSettings& settings, const std::vector<std::string>& headers) {
  data::ColumnChoice chosen;
  const QStringList stored =
      settings.raw().value(kGroup + QLatin1Char('/') + keyOf(headers)).toStringList();
  for (qsizetype f = 0; f < stored.size() && f < qsizetype(data::kEntryFieldCount); ++f) {
    bool ok = false;
    const int column = stored[f].toInt(&ok);
    if (ok && column >= data::kAutomatic && column < int(headers.size()))
      chosen.columns[std::size_t(f)] = column;
  }
  return chosen;
}

void storeColumns(AppSettings& settings, const std::vector<std::string>& headers,
                  const data::ColumnChoice& chosen) {
  QStringList values;
  for (int column : chosen.columns) values << QString::number(column);
  settings.raw().setValue(kGroup + QLatin1Char('/') + keyOf(headers), values);
}

}  // namespace toq::ui
