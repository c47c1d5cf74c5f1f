#include "ui/dialogs/column_chooser_dialog.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/dialogs/dialog_buttons.h"
#include "ui/qt_text.h"

namespace toq::ui {

namespace {

// The chooser's order of the fields, after 使わない.
constexpr data::EntryField kOffered[] = {
    data::EntryField::Name,         data::EntryField::ShortName,  data::EntryField::Reading,
    data::EntryField::Rating,       data::EntryField::Grade,      data::EntryField::Boards,
    data::EntryField::Professional, data::EntryField::Affiliation};
constexpr int kUnusedItem = -1;

}  // namespace

ColumnChooserDialog::ColumnChooserDialog(const data::EntrySheet& sheet, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("列の選択"));
  auto* note = new QLabel(
      QStringLiteral("どの列に何が入っているかを選んでください。同じ見出しの申込一覧には、"
                     "次からもこの選び方を使います。"),
      this);
  note->setWordWrap(true);
  const int columns = int(sheet.headers.size());
  table_ = new QTableWidget(columns, 2, this);
  table_->setHorizontalHeaderLabels(
      {QStringLiteral("列の見出し"), QStringLiteral("入っているもの")});
  table_->horizontalHeader()->setStretchLastSection(true);
  for (int c = 0; c < columns; ++c) {
    auto* header = new QTableWidgetItem(
        QStringLiteral("%1. %2").arg(c + 1).arg(fromUtf8(sheet.headers[std::size_t(c)])));
    header->setFlags(header->flags() & ~Qt::ItemIsEditable);
    table_->setItem(c, 0, header);
    auto* list = new QComboBox(table_);
    list->addItem(QStringLiteral("使わない"), kUnusedItem);
    for (data::EntryField f : kOffered)
      list->addItem(fromUtf8(std::string(data::fieldName(f))), int(f));
    for (std::size_t f = 0; f < data::kEntryFieldCount; ++f)
      if (sheet.columns[f] == c) list->setCurrentIndex(list->findData(int(f)));
    table_->setCellWidget(c, 1, list);
    lists_.push_back(list);
  }
  // A field goes to one column: choosing it for a column takes it from the one that had it.
  for (QComboBox* list : lists_)
    connect(list, &QComboBox::currentIndexChanged, this, [this, list] {
      const int f = list->currentData().toInt();
      if (f == kUnusedItem) return;
      for (QComboBox* other : lists_)
        if (other != list && other->currentData().toInt() == f) other->setCurrentIndex(0);
    });
  table_->resizeColumnToContents(0);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(note);
  layout->addWidget(table_, 1);
  layout->addWidget(okCancelButtons(this));
  resize(560, 360);
}

QComboBox* ColumnChooserDialog::list(int column) const {
  return lists_.at(std::size_t(column));
}

data::ColumnChoice ColumnChooserDialog::chosen() const {
  data::ColumnChoice choice;
  choice.columns.fill(data::kUnused);
  for (int c = 0; c < int(lists_.size()); ++c) {
    const int f = lists_[std::size_t(c)]->currentData().toInt();
    if (f != kUnusedItem && choice.columns[std::size_t(f)] == data::kUnused)
      choice.columns[std::size_t(f)] = c;
  }
  return choice;
}

std::optional<data::ColumnChoice> ColumnChooserDialog::ask(const data::EntrySheet& sheet,
                                                           QWidget* parent) {
  ColumnChooserDialog d(sheet, parent);
  if (d.exec() != QDialog::Accepted) return std::nullopt;
  return d.chosen();
}

}  // namespace toq::ui
