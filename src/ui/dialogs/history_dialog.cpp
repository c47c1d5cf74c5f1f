#include "ui/dialogs/history_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "edit/event_journal.h"
#include "ui/qt_text.h"
#include "view/grid.h"

namespace toq::ui {

namespace {

constexpr char kTitle[] = "履歴";
constexpr char kFilter[] = "絞り込み(&F):";
constexpr char kRestore[] = "この時点に戻す(&B)";
constexpr char kClose[] = "閉じる";
constexpr char kDisagreements[] = "結果の食い違い（主催者が結果を入力・確認するまで）:";
constexpr const char* kHeaders[] = {"番号", "日時", "誰が", "内容"};

QTableWidgetItem* readOnly(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  return item;
}

QColor colour(view::Rgb rgb) {
  return QColor(rgb.r, rgb.g, rgb.b);
}

}  // namespace

HistoryDialog::HistoryDialog(const edit::Workspace& ws, QWidget* parent)
    : QDialog(parent), ws_(ws), filters_(edit::historyFilters(ws)) {
  setWindowTitle(fromUtf8(kTitle));
  filter_ = new QComboBox(this);
  for (const edit::HistoryFilter& f : filters_) filter_->addItem(fromUtf8(f.label));
  auto* filterLabel = new QLabel(fromUtf8(kFilter), this);
  filterLabel->setBuddy(filter_);
  auto* top = new QHBoxLayout;
  top->addWidget(filterLabel);
  top->addWidget(filter_, 1);

  steps_ = new QTableWidget(0, 4, this);
  QStringList headers;
  for (const char* h : kHeaders) headers << fromUtf8(h);
  steps_->setHorizontalHeaderLabels(headers);
  steps_->setSelectionBehavior(QAbstractItemView::SelectRows);
  steps_->setSelectionMode(QAbstractItemView::SingleSelection);
  steps_->verticalHeader()->hide();
  steps_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  steps_->horizontalHeader()->setStretchLastSection(true);
  table_ = new QTableWidget(this);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  auto* split = new QSplitter(Qt::Vertical, this);
  split->addWidget(steps_);
  split->addWidget(table_);

  restore_ = new QPushButton(fromUtf8(kRestore), this);
  restore_->setEnabled(false);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(restore_, QDialogButtonBox::AcceptRole);
  buttons->addButton(fromUtf8(kClose), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(filter_, &QComboBox::currentIndexChanged, this, &HistoryDialog::listSteps);
  connect(steps_, &QTableWidget::itemSelectionChanged, this, &HistoryDialog::showStep);

  auto* layout = new QVBoxLayout(this);
  if (!ws.disagreements.empty()) {
    // The boards whose players reported different results at the desk.
    disagreements_ = new QListWidget(this);
    for (const edit::Disagreement& d : ws.disagreements)
      disagreements_->addItem(fromUtf8(edit::disagreementText(d)));
    disagreements_->setMaximumHeight(90);
    layout->addWidget(new QLabel(fromUtf8(kDisagreements), this));
    layout->addWidget(disagreements_);
  }
  layout->addLayout(top);
  layout->addWidget(split, 1);
  layout->addWidget(buttons);
  resize(1000, 700);
  listSteps();
}

void HistoryDialog::listSteps() {
  const journal::Journal* j = ws_.journal.journal.get();
  const int chosen = std::max(0, filter_->currentIndex());
  shown_ = j ? edit::filteredSteps(*j, filters_[static_cast<std::size_t>(chosen)])
             : std::vector<journal::StepInfo>{};
  steps_->setRowCount(static_cast<int>(shown_.size()));
  for (int i = 0; i < steps_->rowCount(); ++i) {
    const journal::StepInfo& s = shown_[static_cast<std::size_t>(i)];
    steps_->setItem(i, 0, readOnly(QString::number(s.step)));
    steps_->setItem(i, 1, readOnly(fromUtf8(s.time)));
    steps_->setItem(i, 2, readOnly(fromUtf8(journal::describe(s.who))));
    steps_->setItem(i, 3, readOnly(fromUtf8(s.label)));
  }
  steps_->resizeColumnsToContents();
  table_->clear();
  table_->setRowCount(0);
  restore_->setEnabled(false);
}

std::optional<std::int64_t> HistoryDialog::selectedStep() const {
  const QList<QTableWidgetItem*> items = steps_->selectedItems();
  if (items.isEmpty()) return std::nullopt;
  const int row = items.front()->row();
  if (row < 0 || row >= static_cast<int>(shown_.size())) return std::nullopt;
  return shown_[static_cast<std::size_t>(row)].step;
}

void HistoryDialog::showStep() {
  const std::optional<std::int64_t> n = selectedStep();
  const journal::Journal* j = ws_.journal.journal.get();
  const std::optional<journal::State> state = n && j ? j->stateAfter(*n) : std::nullopt;
  const std::optional<edit::ReadState> read =
      state ? edit::readState(*state, ws_.table.filePath) : std::nullopt;
  restore_->setEnabled(read.has_value());
  table_->clear();
  if (!read) return table_->setRowCount(0);
  const view::Grid grid = view::tableGrid(*read->table, *read->players);
  table_->setColumnCount(grid.columnCount());
  table_->setRowCount(grid.rowCount());
  QStringList headers;
  for (const view::Column& c : grid.columns) headers << fromCp932(c.header);
  table_->setHorizontalHeaderLabels(headers);
  for (int line = 0; line < grid.rowCount(); ++line)
    for (int column = 0; column < grid.columnCount(); ++column) {
      const view::Cell& cell = grid.at(line, column);
      QTableWidgetItem* item = readOnly(fromCp932(cell.text));
      item->setBackground(colour(cell.background));
      item->setForeground(colour(cell.foreground));
      table_->setItem(line, column, item);
    }
  for (int column = 0; column < grid.columnCount(); ++column)
    table_->setColumnWidth(column, grid.columns[static_cast<std::size_t>(column)].width);
}

std::optional<std::int64_t> HistoryDialog::choose(const edit::Workspace& ws, QWidget* parent) {
  HistoryDialog dialog(ws, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.selectedStep();
}

}  // namespace toq::ui
