#include "ui/dialogs/add_participant_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "ui/dialogs/dialog_buttons.h"
#include "ui/qt_text.h"

namespace toq::ui {

AddParticipantDialog::AddParticipantDialog(const std::vector<edit::ParticipantChoice>& choices,
                                           QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("対戦表に追加"));
  list_ = new QListWidget(this);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  for (const edit::ParticipantChoice& c : choices) {
    auto* item = new QListWidgetItem(fromCp932(c.name), list_);
    item->setData(Qt::UserRole, c.number);
  }
  list_->setMinimumSize(260, 240);
  auto* label = new QLabel(QStringLiteral("棋士："), this);
  label->setBuddy(list_);
  auto* hint = new QLabel(
      QStringLiteral("Ctrl・Shift を押しながら選ぶと何人でも選べます（Ctrl+A で全員）。"), this);
  hint->setWordWrap(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(list_, 1);
  layout->addWidget(hint);
  layout->addWidget(okCancelButtons(this));
  list_->setFocus();  // the first choice, for the keyboard
}

std::vector<int> AddParticipantDialog::choices() const {
  std::vector<int> numbers;
  for (int i = 0; i < list_->count(); ++i)
    if (const QListWidgetItem* item = list_->item(i); item->isSelected())
      numbers.push_back(item->data(Qt::UserRole).toInt());
  return numbers;
}

std::vector<int> AddParticipantDialog::choose(const std::vector<edit::ParticipantChoice>& choices,
                                              QWidget* parent) {
  AddParticipantDialog dialog(choices, parent);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.choices();
}

}  // namespace toq::ui
