#include "ui/dialogs/add_participant_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QVBoxLayout>

#include "ui/dialogs/dialog_buttons.h"
#include "ui/qt_text.h"

namespace toq::ui {

AddParticipantDialog::AddParticipantDialog(const std::vector<edit::ParticipantChoice>& choices,
                                           QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("対戦表に追加"));
  list_ = new QComboBox(this);
  list_->setFocus();  // the first choice, for the keyboard
  for (const edit::ParticipantChoice& c : choices) list_->addItem(fromCp932(c.name), c.number);
  list_->setCurrentIndex(-1);
  list_->setMinimumWidth(220);
  auto* grid = new QGridLayout;
  addLabelledRow(grid, 0, QStringLiteral("棋士："), list_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(okCancelButtons(this));
}

std::optional<int> AddParticipantDialog::choice() const {
  if (list_->currentIndex() < 0) return std::nullopt;
  return list_->currentData().toInt();
}

std::optional<int> AddParticipantDialog::choose(const std::vector<edit::ParticipantChoice>& choices,
                                                QWidget* parent) {
  AddParticipantDialog dialog(choices, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.choice();
}

}  // namespace toq::ui
