#include "ui/dialogs/entries_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/qt_text.h"

namespace toq::ui {

namespace {

// Every field the import sets. (A reading column, when the record has one, goes after 氏名.)
const QStringList kRowHeaders = {"行",           "氏名",       "省略名", "所属",
                                 "レーティング", "同時対局数", "プロ",   ""};

QTableWidget* table(const QStringList& headers, QWidget* parent) {
  auto* t = new QTableWidget(0, int(headers.size()), parent);
  t->setHorizontalHeaderLabels(headers);
  t->verticalHeader()->hide();
  t->horizontalHeader()->setStretchLastSection(true);
  return t;
}

QTableWidgetItem* cell(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(item->flags() & ~Qt::ItemIsEditable);
  return item;
}

}  // namespace

EntriesDialog::EntriesDialog(Planner planner, data::GradeTable grades, QWidget* parent)
    : QDialog(parent), planner_(std::move(planner)), grades_(std::move(grades)) {
  setWindowTitle(QStringLiteral("申込一覧の取り込み"));
  auto* fileButton = new QPushButton(QStringLiteral("ファイルを選ぶ..."), this);
  source_ = new QLabel(
      QStringLiteral("CSV・タブ区切りのファイルを選ぶか、表の範囲を貼り付けてください。"), this);
  source_->setWordWrap(true);
  rows_ = table(kRowHeaders, this);
  refused_ = new QListWidget(this);
  merged_ = new QListWidget(this);
  pasted_ = new QPlainTextEdit(this);
  pasted_->setPlaceholderText(
      QStringLiteral("表計算ソフトでコピーした範囲（見出しの行から）をここに貼り付けます。"));
  auto* tabs = new QTabWidget(this);
  tabs->addTab(rows_, QStringLiteral("登録される内容"));
  tabs->addTab(merged_, QStringLiteral("まとめた行"));
  tabs->addTab(refused_, QStringLiteral("取り込まない行"));
  tabs->addTab(pasted_, QStringLiteral("貼り付け"));
  gradeTable_ = table({"段級", "レーティング"}, this);
  gradeTable_->setMaximumWidth(220);
  summary_ = new QLabel(this);
  participants_ = new QCheckBox(QStringLiteral("対戦表にも追加する（受付を済ませた扱い）"), this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
  ok_ = buttons->addButton(QStringLiteral("取り込む"), QDialogButtonBox::AcceptRole);
  ok_->setEnabled(false);
  auto* top = new QHBoxLayout;
  top->addWidget(fileButton);
  top->addWidget(source_, 1);
  auto* middle = new QHBoxLayout;
  middle->addWidget(tabs, 1);
  middle->addWidget(gradeTable_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(middle, 1);
  layout->addWidget(summary_);
  layout->addWidget(participants_);
  layout->addWidget(buttons);
  resize(760, 480);
  connect(fileButton, &QPushButton::clicked, this, &EntriesDialog::chooseFile);
  connect(pasted_, &QPlainTextEdit::textChanged, this, [this] {
    source_->setText(QStringLiteral("貼り付けた表"));
    load(pasted_->toPlainText().toStdString());
  });
  connect(gradeTable_, &QTableWidget::cellChanged, this, &EntriesDialog::gradeEdited);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void EntriesDialog::chooseFile() {
  const QString path = QFileDialog::getOpenFileName(
      this, QStringLiteral("申込一覧を開く"), {},
      QStringLiteral("申込一覧 (*.csv *.tsv *.txt);;すべてのファイル (*)"));
  if (path.isEmpty()) return;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    source_->setText(QStringLiteral("読めません: %1").arg(path));
    return;
  }
  source_->setText(path);
  load(file.readAll().toStdString());
}

void EntriesDialog::load(const std::string& bytes) {
  bytes_ = bytes;
  preview_ = planner_(bytes_, grades_);
  showPreview();
  showGrades();
}

void EntriesDialog::showPreview() {
  const edit::EntryPlan& plan = preview_.plan;
  rows_->setRowCount(int(plan.entries.size()));
  for (int i = 0; i < int(plan.entries.size()); ++i) {
    const edit::PlannedEntry& e = plan.entries[std::size_t(i)];
    const QStringList texts = {QString::number(e.line),
                               fromCp932(e.player.name),
                               fromCp932(e.player.shortName),
                               fromCp932(e.player.affiliation),
                               QString::number(e.player.rating),
                               QString::number(e.player.entries),
                               e.player.professional ? QStringLiteral("○") : QString(),
                               e.position ? QStringLiteral("更新") : QStringLiteral("新規")};
    for (int c = 0; c < int(texts.size()); ++c) rows_->setItem(i, c, cell(texts[c]));
  }
  rows_->resizeColumnsToContents();
  refused_->clear();
  if (!preview_.sheet.read) refused_->addItem(fromUtf8(preview_.sheet.problem));
  for (const data::RefusedLine& r : plan.refused) refused_->addItem(fromUtf8(r.message));
  merged_->clear();
  for (const edit::MergedLine& m : plan.merged) merged_->addItem(fromUtf8(edit::mergedText(m)));
  QStringList ignored;
  for (const std::string& h : preview_.sheet.ignored) ignored << fromUtf8(h);
  QString summary = fromUtf8(edit::planSummary(plan));
  if (!preview_.sheet.read) summary += QStringLiteral("　") + fromUtf8(preview_.sheet.problem);
  if (!ignored.isEmpty())
    summary += QStringLiteral("　使わない列: ") + ignored.join(QStringLiteral("、"));
  summary_->setText(summary);
  ok_->setEnabled(!plan.entries.empty());
}

void EntriesDialog::showGrades() {
  filling_ = true;
  gradeTable_->setRowCount(int(preview_.sheet.grades.size()));
  for (int i = 0; i < int(preview_.sheet.grades.size()); ++i) {
    const std::string& g = preview_.sheet.grades[std::size_t(i)];
    const std::optional<int> r = grades_.ratingOf(g);
    gradeTable_->setItem(i, 0, cell(fromUtf8(g)));
    gradeTable_->setItem(i, 1, new QTableWidgetItem(r ? QString::number(*r) : QString()));
  }
  filling_ = false;
}

void EntriesDialog::gradeEdited(int row, int column) {
  if (filling_ || column != 1) return;
  bool ok = false;
  const int rating = gradeTable_->item(row, 1)->text().toInt(&ok);
  if (!ok) return;
  grades_.set(toUtf8(gradeTable_->item(row, 0)->text()), rating);
  load(bytes_);
}

EntriesDialog::Choice EntriesDialog::choice() const {
  return {preview_.plan, participants_->isChecked(), grades_};
}

std::optional<EntriesDialog::Choice> EntriesDialog::ask(Planner planner, data::GradeTable grades,
                                                        QWidget* parent) {
  EntriesDialog dialog(std::move(planner), std::move(grades), parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.choice();
}

}  // namespace toq::ui
