#include "ui/dialogs/bye_dialog.h"
#include "ui/plain_text_rule.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/dialogs/dialog_buttons.h"
#include "ui/qt_text.h"

namespace toq::ui {

namespace {

// "南条 一郎（9位、抜け番なし）".
QString lineOf(const edit::ByeCandidate& c) {
  const QString byes = c.earlierByes == 0 ? QStringLiteral("抜け番なし")
                                          : QStringLiteral("抜け番%1回").arg(c.earlierByes);
  return QStringLiteral("%1（%2位、%3）").arg(fromCp932(c.name)).arg(c.place).arg(byes);
}

enum class ByeAnswer { Proposal, Choose, Cancel };

ByeAnswer askQuestion(const QString& text, bool hasProposal, QWidget* parent) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), text, QMessageBox::NoButton,
                  parent);
  box.setObjectName(QStringLiteral("byeQuestion"));
  makePlain(box);
  QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
  QPushButton* other = box.addButton(QStringLiteral("選び直す(&C)"), QMessageBox::NoRole);
  QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
  yes->setEnabled(hasProposal);
  box.setDefaultButton(hasProposal ? yes : other);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == yes) return ByeAnswer::Proposal;
  if (box.clickedButton() == other) return ByeAnswer::Choose;
  return ByeAnswer::Cancel;
}

}  // namespace

ByeChoiceDialog::ByeChoiceDialog(const edit::ByeNeed& need, QWidget* parent)
    : QDialog(parent), need_(need) {
  setWindowTitle(QStringLiteral("%1回戦の抜け番の選択").arg(need.round + 1));
  list_ = new QListWidget(this);
  list_->setMinimumWidth(280);
  for (const edit::ByeCandidate& c : need_.candidates) {
    auto* item = new QListWidgetItem(lineOf(c), list_);
    item->setData(Qt::UserRole, c.row);
    if (need_.proposal == c.row) list_->setCurrentItem(item);
  }
  auto* label = new QLabel(QStringLiteral("抜け番にする参加者（下位から）："), this);
  label->setBuddy(list_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(list_, 1);
  layout->addWidget(okCancelButtons(this));
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  list_->setFocus();
}

std::optional<int> ByeChoiceDialog::choice() const {
  const QListWidgetItem* item = list_->currentItem();
  if (!item || !item->isSelected()) return std::nullopt;
  return item->data(Qt::UserRole).toInt();
}

std::optional<int> ByeChoiceDialog::choose(const edit::ByeNeed& need, QWidget* parent) {
  ByeChoiceDialog dialog(need, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.choice();
}

std::optional<int> ByeChoiceDialog::ask(const edit::ByeNeed& need, const edit::Workspace& ws,
                                        services::Services& ui, QWidget* parent) {
  const QString question = fromUtf8(edit::byeQuestion(ws, need, ui));
  switch (askQuestion(question, need.proposal.has_value(), parent)) {
    case ByeAnswer::Proposal:
      // When everyone has had a bye, the proposal is a second one: asked about as well.
      if (need.proposal && edit::confirmSecondBye(ws, ui, *need.proposal)) return need.proposal;
      return std::nullopt;
    case ByeAnswer::Choose:
      // The same list again after a No to a second bye.
      while (const std::optional<int> row = choose(need, parent))
        if (edit::confirmSecondBye(ws, ui, *row)) return row;
      return std::nullopt;
    case ByeAnswer::Cancel:
      break;
  }
  return std::nullopt;
}

}  // namespace toq::ui
