#include "ui/dialogs/walk_in_dialog.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

#include "data/grades.h"
#include "ui/dialogs/dialog_buttons.h"
#include "ui/placeholder_fit.h"
#include "ui/qt_text.h"

namespace toq::ui {

namespace {
constexpr int kRatingLimit = 9999;
}  // namespace

WalkInDialog::WalkInDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("当日参加"));
  name_ = new QLineEdit(this);
  rating_ = new QSpinBox(this);
  rating_->setRange(0, kRatingLimit);
  rating_->setValue(edit::newPlayerForm().rating);
  grade_ = new QLineEdit(this);
  setFittingPlaceholder(grade_, QStringLiteral("初段・5級など（レーティングの代わりに）"));
  auto* layout = new QFormLayout(this);
  layout->addRow(QStringLiteral("氏名："), name_);
  layout->addRow(QStringLiteral("レーティング点："), rating_);
  layout->addRow(QStringLiteral("段級："), grade_);
  layout->addRow(okCancelButtons(this));
}

edit::PlayerForm WalkInDialog::form() const {
  edit::PlayerForm f = edit::newPlayerForm();
  f.name = toUtf8(name_->text().trimmed());
  f.rating = rating_->value();
  if (const std::optional<int> r = data::GradeTable().ratingOf(toUtf8(grade_->text())))
    f.rating = *r;
  return f;
}

std::optional<edit::PlayerForm> WalkInDialog::ask(QWidget* parent) {
  WalkInDialog dialog(parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.form();
}

}  // namespace toq::ui
