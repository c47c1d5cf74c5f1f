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
#include <algorithm>

#include "ui/dialogs/column_chooser_dialog.h"
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

EntriesDialog::EntriesDialog(Planner planner, data::GradeTable grades, ColumnMemory memory,
                             QWidget* parent)
    : QDialog(parent),
      planner_(std::move(planner)),
      grades_(std::move(grades)),
      memory_(std::move(memory)) {
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
  columnsButton_ = new QPushButton(QStringLiteral("列の選択..."), this);
  columnsButton_->setEnabled(false);
  auto* top = new QHBoxLayout;
  top->addWidget(fileButton);
  top->addWidget(source_, 1);
  top->addWidget(columnsButton_);
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
  connect(columnsButton_, &QPushButton::clicked, this, &EntriesDialog::chooseColumns);
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
  preview_ = planner_(bytes_, grades_, columns_);
  // A header row met before is read with the columns chosen for it then.
  if (!columns_.any() && memory_.recall) {
    const data::ColumnChoice recalled = memory_.recall(preview_.sheet.headers);
    if (recalled.any()) {
      columns_ = recalled;
      preview_ = planner_(bytes_, grades_, columns_);
    }
  }
  showPreview();
  showGrades();
  const data::EntrySheet& sheet = preview_.sheet;
  columnsButton_->setEnabled(!sheet.headers.empty());
  // No name column, or two: the chooser asks by itself, once for a header row.
  const bool nameUnsure = std::find(sheet.unsure.begin(), sheet.unsure.end(),
                                    data::EntryField::Name) != sheet.unsure.end();
  if (nameUnsure && !columns_.any() && sheet.headers != askedHeaders_ && isVisible()) {
    askedHeaders_ = sheet.headers;
    chooseColumns();
  }
}

void EntriesDialog::chooseColumns() {
  const std::optional<data::ColumnChoice> chosen = ColumnChooserDialog::ask(preview_.sheet, this);
  if (!chosen) return;
  columns_ = *chosen;
  if (memory_.remember) memory_.remember(preview_.sheet.headers, columns_);
  load(bytes_);
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
  // Names taken with a stand-in are listed beside the refusals.
  for (const data::RefusedLine& r : preview_.sheet.standIns) refused_->addItem(fromUtf8(r.message));
  QStringList ignored;
  for (const std::string& h : preview_.sheet.ignored) ignored << fromUtf8(h);
  QString summary = fromUtf8(edit::planSummary(plan));
  if (!preview_.sheet.read) summary += QStringLiteral("　") + fromUtf8(preview_.sheet.problem);
  if (!ignored.isEmpty())
    summary += QStringLiteral("　使わない列: ") + ignored.join(QStringLiteral("、"));
  if (!preview_.sheet.standIns.empty())
    summary += QStringLiteral("\n代わりの字で登録する行 %1（「取り込まない行」の一覧に）")
                   .arg(preview_.sheet.standIns.size());
  if (plan.defaultRatings > 0)
    summary +=
        QStringLiteral("\n段級・レーティングが空欄の %1人は既定のレーティング（%2）にします。")
            .arg(plan.defaultRatings)
            .arg(data::kDefaultRating);
  QStringList unsure;
  for (data::EntryField f : preview_.sheet.unsure)
    if (preview_.sheet.columns[std::size_t(f)] >= 0 || f == data::EntryField::Name)
      unsure << fromUtf8(std::string(data::fieldName(f)));
  if (!unsure.isEmpty())
    summary += QStringLiteral("\n列がはっきりしません: %1（「列の選択...」で選べます）")
                   .arg(unsure.join(QStringLiteral("、")));
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
                                                        ColumnMemory memory, QWidget* parent) {
  EntriesDialog dialog(std::move(planner), std::move(grades), std::move(memory), parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.choice();
}

}  // namespace toq::ui
