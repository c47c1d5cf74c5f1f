#pragma once
// OpponentDialog: the opponent of a participant in its next unpaired round, from the core's
// list (players not met, the bye, the separator, players met before); nothing preselected.

#include <QDialog>
#include <optional>

#include "edit/opponent_choices.h"

class QComboBox;

namespace toq::ui {

class OpponentDialog : public QDialog {
  Q_OBJECT

 public:
  OpponentDialog(const edit::OpponentChoices& dialog, QWidget* parent = nullptr);

  /// The player number (or the bye) beside the selected entry; none when nothing is selected.
  std::optional<int> choice() const;
  QComboBox* list() const { return list_; }

  /// Runs the dialog: the choice on OK, none on キャンセル or no selection.
  static std::optional<int> choose(const edit::OpponentChoices& dialog, QWidget* parent);

 private:
  QComboBox* list_ = nullptr;
};

}  // namespace toq::ui
