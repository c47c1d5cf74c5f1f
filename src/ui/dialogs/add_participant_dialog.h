#pragma once
// AddParticipantDialog "対戦表に追加": the players to add to the table, from the core's list of
// players not yet in it. Several may be chosen at once (Ctrl or Shift with a click, Shift with
// the arrows, Ctrl+A for all); they are added in the register's order.

#include <QDialog>
#include <vector>

#include "edit/participants.h"

class QListWidget;

namespace toq::ui {

class AddParticipantDialog : public QDialog {
  Q_OBJECT

 public:
  AddParticipantDialog(const std::vector<edit::ParticipantChoice>& choices,
                       QWidget* parent = nullptr);

  /// The player numbers of the selected lines, in list order; empty when none is selected.
  std::vector<int> choices() const;
  QListWidget* list() const { return list_; }

  /// Runs the dialog: the chosen player numbers on OK, empty on キャンセル or no selection.
  static std::vector<int> choose(const std::vector<edit::ParticipantChoice>& choices,
                                 QWidget* parent);

 private:
  QListWidget* list_ = nullptr;
};

}  // namespace toq::ui
