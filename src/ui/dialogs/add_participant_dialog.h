#pragma once
// AddParticipantDialog "対戦表に追加": the player to add to the table, from the core's list of
// players not yet in it.

#include <QDialog>
#include <optional>
#include <vector>

#include "edit/participants.h"

class QComboBox;

namespace toq::ui {

class AddParticipantDialog : public QDialog {
  Q_OBJECT

 public:
  AddParticipantDialog(const std::vector<edit::ParticipantChoice>& choices,
                       QWidget* parent = nullptr);

  /// The player number of the selected line; none when no line is selected.
  std::optional<int> choice() const;
  QComboBox* list() const { return list_; }

  /// Runs the dialog: the chosen player number on OK, none on キャンセル or no selection.
  static std::optional<int> choose(const std::vector<edit::ParticipantChoice>& choices,
                                   QWidget* parent);

 private:
  QComboBox* list_ = nullptr;
};

}  // namespace toq::ui
