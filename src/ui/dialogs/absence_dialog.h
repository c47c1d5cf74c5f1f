#pragma once
// AbsenceDialog: the round a participant sits out, withdraws from, or takes back: one list of
// the event's rounds, opened on the round to pair next.

#include <QDialog>
#include <optional>
#include <string>

class QComboBox;

namespace toq::ui {

class AbsenceDialog : public QDialog {
  Q_OBJECT

 public:
  /// `title` and `label` UTF-8; rounds 0..rounds-1 offered, `initial` selected.
  AbsenceDialog(const std::string& title, const std::string& label, int rounds, int initial,
                QWidget* parent = nullptr);

  QComboBox* box() const { return box_; }
  /// The 0-based round selected.
  int round() const;

  /// Runs the dialog: the round on OK, none on キャンセル.
  static std::optional<int> ask(const std::string& title, const std::string& label, int rounds,
                                int initial, QWidget* parent);

 private:
  QComboBox* box_ = nullptr;
};

}  // namespace toq::ui
