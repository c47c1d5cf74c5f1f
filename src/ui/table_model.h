#pragma once
// The list's model: every cell's text and colours as the view layer decided them.

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <vector>

#include "view/grid.h"

namespace toq::ui {

class TableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  /// Replaces the whole content in one reset, so the list repaints once.
  void setGrid(const view::Grid& grid);
  const view::Grid& grid() const { return grid_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  /// The texts of these lines, a tab between cells and a line break after each line, as a
  /// spreadsheet takes them from the clipboard. Lines outside the list are left out.
  QString tabSeparated(const std::vector<int>& lines) const;

 private:
  view::Grid grid_;
  // Texts converted once per fill, not once per paint.
  std::vector<QString> texts_;
  QStringList headers_;
};

}  // namespace toq::ui
