#pragma once
// The bye of a round with an odd number of participants: the pairing button's question
// "参加者が奇数です。抜け番を決めてから組み合わせますか？" with the program's proposal (はい,
// 選び直す, キャンセル), and ByeChoiceDialog "抜け番の選択", the list of participants who may
// sit out, lowest-placed first, for choosing another one.

#include <QDialog>
#include <optional>

#include "edit/bye_proposal.h"

class QListWidget;

namespace toq::ui {

class ByeChoiceDialog : public QDialog {
  Q_OBJECT

 public:
  ByeChoiceDialog(const edit::ByeNeed& need, QWidget* parent = nullptr);

  /// The row of the selected participant; none when no line is selected.
  std::optional<int> choice() const;
  QListWidget* list() const { return list_; }

  /// Runs the dialog: the chosen row on OK, none on キャンセル.
  static std::optional<int> choose(const edit::ByeNeed& need, QWidget* parent);

  /// The pairing button's question, then the choice: the row to give the bye, none when the
  /// organiser cancelled. A participant who already had a bye is asked about first.
  static std::optional<int> ask(const edit::ByeNeed& need, const edit::Workspace& ws,
                                services::Services& ui, QWidget* parent);

 private:
  const edit::ByeNeed need_;
  QListWidget* list_ = nullptr;
};

}  // namespace toq::ui
