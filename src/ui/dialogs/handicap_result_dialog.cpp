#include "ui/dialogs/handicap_result_dialog.h"

#include <QComboBox>
#include <QGridLayout>

#include "edit/results.h"
#include "ui/dialogs/dialog_buttons.h"
#include "ui/qt_text.h"

namespace toq::ui {

HandicapResultDialog::HandicapResultDialog(const edit::HandicapQuestion& dialog, QWidget* parent)
    : HandicapDialog(dialog, QStringLiteral("手合割り・結果の設定"), parent) {
  result_ = new QComboBox(this);
  for (const char* name : edit::kResultNames) result_->addItem(fromUtf8(name));
  result_->setCurrentIndex(dialog.resultPosition);
  addLabelledRow(grid(), 3, QStringLiteral("勝敗："), result_);
  finishLayout();
}

edit::HandicapAnswer HandicapResultDialog::answer() const {
  edit::HandicapAnswer a = HandicapDialog::answer();
  a.resultPosition = result_->currentIndex();
  return a;
}

std::optional<edit::HandicapAnswer> HandicapResultDialog::choose(
    const edit::HandicapQuestion& dialog, QWidget* parent) {
  HandicapResultDialog d(dialog, parent);
  if (d.exec() != QDialog::Accepted) return std::nullopt;
  return d.answer();
}

}  // namespace toq::ui
