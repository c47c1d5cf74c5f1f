#include "ui/dialogs/explanation_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

#include "pairing/explanation.h"
#include "reports/explanation_text.h"
#include "text/format.h"
#include "ui/qt_text.h"

namespace toq::ui {

ExplanationDialog::ExplanationDialog(const data::Table& table, const data::Register& players,
                                     services::Services& ui, QWidget* parent,
                                     std::optional<int> row, std::optional<int> round)
    : QDialog(parent), table_(table), players_(players), ui_(ui), row_(row) {
  setWindowTitle(QStringLiteral("組み合わせの説明"));
  rounds_ = new QComboBox(this);
  for (int k : pairing::explainableRounds(table))
    rounds_->addItem(QStringLiteral("%1回戦").arg(k + 1), k);
  auto* label = new QLabel(QStringLiteral("回戦(&R)："), this);
  label->setBuddy(rounds_);
  auto* top = new QHBoxLayout;
  top->addWidget(label);
  top->addWidget(rounds_);
  top->addStretch();

  view_ = new QPlainTextEdit(this);
  view_->setReadOnly(true);
  view_->setLineWrapMode(QPlainTextEdit::NoWrap);
  view_->setMinimumSize(640, 480);

  auto* buttons = new QDialogButtonBox(this);
  auto* copy = buttons->addButton(QStringLiteral("すべてコピー(&C)"), QDialogButtonBox::ActionRole);
  auto* saveButton =
      buttons->addButton(QStringLiteral("保存(&S)..."), QDialogButtonBox::ActionRole);
  auto* close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
  // Enter in the chooser must not close the dialog.
  for (QPushButton* b : {copy, saveButton, close}) b->setAutoDefault(false);
  connect(copy, &QPushButton::clicked, this, &ExplanationDialog::copyAll);
  connect(saveButton, &QPushButton::clicked, this, &ExplanationDialog::save);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(view_);
  layout->addWidget(buttons);

  connect(rounds_, &QComboBox::currentIndexChanged, this, &ExplanationDialog::showRound);
  const int wanted = round ? rounds_->findData(*round) : -1;
  const int start = wanted >= 0 ? wanted : rounds_->count() - 1;
  if (start >= 0 && start == rounds_->currentIndex())
    showRound(start);
  else
    rounds_->setCurrentIndex(start);
  copy->setEnabled(rounds_->count() > 0);
  saveButton->setEnabled(rounds_->count() > 0);
  rounds_->setFocus();
}

int ExplanationDialog::round() const {
  return rounds_->currentIndex() < 0 ? -1 : rounds_->currentData().toInt();
}

QString ExplanationDialog::text() const {
  return view_->toPlainText();
}

void ExplanationDialog::showRound(int index) {
  if (index < 0) {
    view_->clear();
    return;
  }
  const int k = rounds_->itemData(index).toInt();
  auto it = texts_.find(k);
  if (it == texts_.end())
    it = texts_.insert(k, fromCp932(reports::explainRoundText(table_, players_, k, row_)));
  view_->setPlainText(*it);
}

void ExplanationDialog::copyAll() {
  QApplication::clipboard()->setText(text());
}

bool ExplanationDialog::saveTo(const QString& fileName) {
  QSaveFile file(fileName);
  if (file.open(QIODevice::WriteOnly)) {
    file.write(text().toUtf8());
    if (file.commit()) return true;
  }
  ui_.errorBox(text::format("ファイル作成エラー %s", toUtf8(fileName).c_str()));
  return false;
}

void ExplanationDialog::save() {
  if (round() < 0) return;
  const QString suggested = fromPath(reports::explanationPath(table_, round()));
  const QString name = QFileDialog::getSaveFileName(this, QStringLiteral("組み合わせの説明の保存"),
                                                    suggested, QStringLiteral("テキスト(*.txt)"));
  if (!name.isEmpty()) saveTo(name);
}

}  // namespace toq::ui
