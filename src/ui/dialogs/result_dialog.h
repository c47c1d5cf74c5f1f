#pragma once
// ResultDialog: the result of one game ("勝ち", "負け", "引き分け", "取り消し"), with the
// caption and the label the core composes for it.

#include <QDialog>
#include <optional>

#include "edit/result_entry.h"

class QComboBox;
class QLabel;

namespace toq::ui {

class ResultDialog : public QDialog {
  Q_OBJECT

 public:
  ResultDialog(const edit::ResultQuestion& dialog, QWidget* parent = nullptr);

  /// The chosen result code from the row's side (the list's positions stay in the dialog).
  int result() const;
  QComboBox* list() const { return list_; }
  QLabel* label() const { return label_; }

  /// Runs the dialog: the chosen result code on OK, none on キャンセル.
  static std::optional<int> choose(const edit::ResultQuestion& dialog, QWidget* parent);

 private:
  QComboBox* list_ = nullptr;
  QLabel* label_ = nullptr;
};

}  // namespace toq::ui
