#include "ui/dialogs/absence_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QVBoxLayout>

#include "ui/dialogs/dialog_buttons.h"

namespace toq::ui {

AbsenceDialog::AbsenceDialog(const std::string& title, const std::string& label, int rounds,
                             int initial, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QString::fromStdString(title));
  box_ = new QComboBox(this);
  for (int k = 0; k < rounds; ++k) box_->addItem(QStringLiteral("%1回戦").arg(k + 1), k);
  box_->setCurrentIndex(initial >= 0 && initial < rounds ? initial : 0);
  box_->setFocus();
  auto* grid = new QGridLayout;
  addLabelledRow(grid, 0, QString::fromStdString(label), box_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(okCancelButtons(this));
}

int AbsenceDialog::round() const {
  return box_->currentData().toInt();
}

std::optional<int> AbsenceDialog::ask(const std::string& title, const std::string& label,
                                      int rounds, int initial, QWidget* parent) {
  AbsenceDialog d(title, label, rounds, initial, parent);
  if (d.exec() != QDialog::Accepted || rounds <= 0) return std::nullopt;
  return d.round();
}

}  // namespace toq::ui
