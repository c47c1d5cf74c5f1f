#pragma once
// ResultDialog: the result of one game ("勝ち", "負け", "引き分け", "取り消し"), with the
// caption and the label the core composes for it.

#include <QDialog>
#include <optional>

#include "edit/results.h"

class QComboBox;
class QLabel;

namespace toq::ui {

class ResultDialog : public QDialog {
  Q_OBJECT

 public:
  ResultDialog(const edit::ResultQuestion& dialog, QWidget* parent = nullptr);

  /// The chosen list position (0 … 3).
  int position() const;
  QComboBox* list() const { return list_; }
  QLabel* label() const { return label_; }

  /// Runs the dialog: the chosen position on OK, none on キャンセル.
  static std::optional<int> choose(const edit::ResultQuestion& dialog, QWidget* parent);

 private:
  QComboBox* list_ = nullptr;
  QLabel* label_ = nullptr;
};

}  // namespace toq::ui
