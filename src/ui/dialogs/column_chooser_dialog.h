#pragma once
// ColumnChooserDialog "列の選択": which field each column of an entry list fills, for a header
// row that names a field twice or not at all: one list per column (使わない, 氏名, 省略名,
// ふりがな, レーティング, 段級, 同時対局数, プロ, 所属) beside the column's header and first value.

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "data/entry_sheet.h"

class QComboBox;
class QTableWidget;

namespace toq::ui {

class ColumnChooserDialog : public QDialog {
  Q_OBJECT

 public:
  /// `sheet`: its headers and the columns its fields take now.
  explicit ColumnChooserDialog(const data::EntrySheet& sheet, QWidget* parent = nullptr);

  /// The list of a column (0-based).
  QComboBox* list(int column) const;
  /// Every field's column as the lists say (a field no list names: unused).
  data::ColumnChoice chosen() const;

  /// Runs the dialog: the choice on OK, none on キャンセル.
  static std::optional<data::ColumnChoice> ask(const data::EntrySheet& sheet, QWidget* parent);

 private:
  QTableWidget* table_ = nullptr;
  std::vector<QComboBox*> lists_;
};

}  // namespace toq::ui
