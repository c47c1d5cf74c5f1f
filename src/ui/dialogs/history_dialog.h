#pragma once
// HistoryDialog "履歴": every step of the event's journal with its time, who and what, newest
// first, narrowed to a player or a board; the selected step's table shown as it was then (read
// only); "この時点に戻す" answers that step, which the caller makes the event's state as one
// new step. Above them, the boards whose players reported different results at the desk.

#include <QDialog>
#include <cstdint>
#include <optional>
#include <vector>

#include "edit/history_filters.h"
#include "edit/workspace.h"

class QComboBox;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace toq::ui {

class HistoryDialog : public QDialog {
  Q_OBJECT

 public:
  HistoryDialog(const edit::Workspace& ws, QWidget* parent = nullptr);

  QComboBox* filter() const { return filter_; }
  QTableWidget* steps() const { return steps_; }
  QTableWidget* table() const { return table_; }
  QPushButton* restoreButton() const { return restore_; }
  /// The boards whose players disagree; null when none does.
  QListWidget* disagreements() const { return disagreements_; }
  /// The step selected, if any.
  std::optional<std::int64_t> selectedStep() const;

  /// Runs the dialog on the workspace's journal: the step to go back to, none when closed.
  static std::optional<std::int64_t> choose(const edit::Workspace& ws, QWidget* parent);

 private:
  void listSteps();
  void showStep();

  const edit::Workspace& ws_;
  std::vector<edit::HistoryFilter> filters_;
  std::vector<journal::StepInfo> shown_;
  QComboBox* filter_ = nullptr;
  QTableWidget* steps_ = nullptr;
  QTableWidget* table_ = nullptr;
  QPushButton* restore_ = nullptr;
  QListWidget* disagreements_ = nullptr;
};

}  // namespace toq::ui
