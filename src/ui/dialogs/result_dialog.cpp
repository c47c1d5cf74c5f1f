#include "ui/dialogs/result_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/dialogs/dialog_buttons.h"
#include "ui/qt_text.h"

namespace toq::ui {

ResultDialog::ResultDialog(const edit::ResultQuestion& dialog, QWidget* parent) : QDialog(parent) {
  setWindowTitle(fromCp932(dialog.caption));
  list_ = new QComboBox(this);
  list_->setFocus();  // the first choice, for the keyboard
  for (const char* name : edit::kResultNames) list_->addItem(fromUtf8(name));
  list_->setCurrentIndex(edit::resultPosition(dialog.result));
  auto* grid = new QGridLayout;
  label_ = addLabelledRow(grid, 0, fromCp932(dialog.label), list_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(okCancelButtons(this));
}

int ResultDialog::result() const {
  const int position = list_->currentIndex();
  return position >= 0 && position < edit::kResultPositions ? edit::kResultCodes[position]
                                                            : data::kResultNone;
}

std::optional<int> ResultDialog::choose(const edit::ResultQuestion& dialog, QWidget* parent) {
  ResultDialog d(dialog, parent);
  if (d.exec() != QDialog::Accepted) return std::nullopt;
  return d.result();
}

}  // namespace toq::ui
