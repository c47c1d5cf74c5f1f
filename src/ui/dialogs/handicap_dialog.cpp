#include "ui/dialogs/handicap_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "data/table.h"
#include "ui/dialogs/dialog_buttons.h"
#include "ui/qt_text.h"

namespace toq::ui {

HandicapDialog::HandicapDialog(const edit::HandicapQuestion& dialog, QWidget* parent)
    : HandicapDialog(dialog, QStringLiteral("手合割りの設定"), parent) {
  finishLayout();
}

HandicapDialog::HandicapDialog(const edit::HandicapQuestion& dialog, const QString& resourceCaption,
                               QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(dialog.title.empty() ? resourceCaption : fromCp932(dialog.title));
  handicap_ = new QComboBox(this);
  handicap_->setFocus();  // the first choice, for the keyboard
  for (const char* name : data::kHandicapNames) handicap_->addItem(fromUtf8(name));
  handicap_->setCurrentIndex(dialog.handicapPosition);
  side_ = new QComboBox(this);
  for (const char* name : edit::kSideNames) side_->addItem(fromUtf8(name));
  side_->setCurrentIndex(dialog.sidePosition);

  grid_ = new QGridLayout;
  addLabelledRow(grid_, 0, QStringLiteral("手合："), handicap_);
  addLabelledRow(grid_, 1, QStringLiteral("先後："), side_);
  grid_->addWidget(new QLabel(QStringLiteral("駒落ちでは上手下手は自動設定"), this), 2, 0, 1, 2);
  connect(handicap_, &QComboBox::currentIndexChanged, this, &HandicapDialog::followHandicap);
  followHandicap();
}

void HandicapDialog::finishLayout() {
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid_);
  layout->addWidget(okCancelButtons(this));
}

void HandicapDialog::followHandicap() {
  side_->setEnabled(edit::sideListEnabled(handicap_->currentIndex()));
}

edit::HandicapAnswer HandicapDialog::answer() const {
  edit::HandicapAnswer a;
  a.handicapPosition = handicap_->currentIndex();
  a.sidePosition = side_->currentIndex();
  return a;
}

std::optional<edit::HandicapAnswer> HandicapDialog::choose(const edit::HandicapQuestion& dialog,
                                                           QWidget* parent) {
  HandicapDialog d(dialog, parent);
  if (d.exec() != QDialog::Accepted) return std::nullopt;
  return d.answer();
}

}  // namespace toq::ui
