#include "ui/table_model.h"

#include "ui/qt_text.h"

namespace toq::ui {

namespace {

QColor colour(view::Rgb rgb) {
  return QColor(rgb.r, rgb.g, rgb.b);
}

}  // namespace

void TableModel::setGrid(const view::Grid& grid) {
  beginResetModel();
  grid_ = grid;
  texts_.clear();
  texts_.reserve(static_cast<std::size_t>(grid_.rowCount() * grid_.columnCount()));
  for (const auto& line : grid_.lines)
    for (int c = 0; c < grid_.columnCount(); ++c)
      texts_.push_back(static_cast<std::size_t>(c) < line.size()
                           ? fromCp932(line[static_cast<std::size_t>(c)].text)
                           : QString());
  headers_.clear();
  for (const view::Column& column : grid_.columns) headers_ << fromCp932(column.header);
  endResetModel();
}

int TableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_.rowCount();
}

int TableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_.columnCount();
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= grid_.rowCount() || index.column() >= grid_.columnCount())
    return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return texts_[static_cast<std::size_t>(index.row() * grid_.columnCount() + index.column())];
    case Qt::BackgroundRole:
      if (!grid_.coloured) return {};
      return colour(grid_.at(index.row(), index.column()).background);
    case Qt::ForegroundRole:
      if (!grid_.coloured) return {};
      return colour(grid_.at(index.row(), index.column()).foreground);
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ToolTipRole: {
      const char* tip = grid_.at(index.row(), index.column()).tip;
      return tip ? QVariant(QString::fromUtf8(tip)) : QVariant();
    }
    default:
      return {};
  }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= headers_.size()) return {};
  if (role == Qt::DisplayRole) return headers_[section];
  if (role == Qt::ToolTipRole) {
    const char* tip = grid_.columns[static_cast<std::size_t>(section)].tip;
    return tip ? QVariant(QString::fromUtf8(tip)) : QVariant();
  }
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

QString TableModel::tabSeparated(const std::vector<int>& lines) const {
  QString out;
  for (int line : lines) {
    if (line < 0 || line >= rowCount()) continue;
    QStringList cells;
    for (int column = 0; column < columnCount(); ++column)
      // A tab or line break inside a cell would split it: they become spaces.
      cells << data(index(line, column), Qt::DisplayRole)
                   .toString()
                   .replace(QLatin1Char('\t'), QLatin1Char(' '))
                   .replace(QLatin1Char('\n'), QLatin1Char(' '));
    out += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
  }
  return out;
}

}  // namespace toq::ui
