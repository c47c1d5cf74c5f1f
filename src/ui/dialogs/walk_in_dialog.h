#pragma once
// WalkInDialog "当日参加": a player who did not apply, by name and rating or grade.

#include <QDialog>
#include <optional>

#include "edit/players.h"

class QLineEdit;
class QSpinBox;

namespace toq::ui {

class WalkInDialog : public QDialog {
  Q_OBJECT

 public:
  explicit WalkInDialog(QWidget* parent = nullptr);

  /// The form as filled in: a grade that names a known grade gives the rating.
  edit::PlayerForm form() const;

  /// Runs the dialog: the form on OK, none on キャンセル.
  static std::optional<edit::PlayerForm> ask(QWidget* parent);

 private:
  QLineEdit* name_ = nullptr;
  QSpinBox* rating_ = nullptr;
  QLineEdit* grade_ = nullptr;
};

}  // namespace toq::ui
