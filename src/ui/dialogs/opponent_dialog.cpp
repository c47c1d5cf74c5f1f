#include "ui/dialogs/opponent_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QVBoxLayout>

#include "ui/dialogs/dialog_buttons.h"
#include "ui/qt_text.h"

namespace toq::ui {

OpponentDialog::OpponentDialog(const edit::OpponentChoices& dialog, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(fromCp932(dialog.title));
  list_ = new QComboBox(this);
  list_->setFocus();  // the first choice, for the keyboard
  for (const edit::OpponentEntry& e : dialog.entries) list_->addItem(fromCp932(e.text), e.number);
  list_->setCurrentIndex(-1);
  list_->setMinimumWidth(260);
  auto* grid = new QGridLayout;
  addLabelledRow(grid, 0, QStringLiteral("対戦相手："), list_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(okCancelButtons(this));
}

std::optional<int> OpponentDialog::choice() const {
  if (list_->currentIndex() < 0) return std::nullopt;
  return list_->currentData().toInt();
}

std::optional<int> OpponentDialog::choose(const edit::OpponentChoices& dialog, QWidget* parent) {
  OpponentDialog d(dialog, parent);
  if (d.exec() != QDialog::Accepted) return std::nullopt;
  return d.choice();
}

}  // namespace toq::ui
