#include "ui/main_view.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QShortcut>
#include <QTableView>

#include "edit/participants.h"
#include "edit/result_change.h"
#include "text/format.h"
#include "ui/affiliation_option.h"
#include "ui/current_cell_delegate.h"
#include "ui/qt_text.h"
#include "ui/table_model.h"
#include "view/grid.h"
#include "view/layout.h"
#include "view/result_keys.h"
#include "view/rules.h"
#include "view/texts.h"

namespace toq::ui {

namespace {

constexpr int kListLeft = 6;
constexpr int kListTop = 44;
constexpr const char* kMissingPlayers = "対局者データにない番号の参加者がいます（番号 %s）。";

}  // namespace

MainView::MainView(edit::Workspace& ws, services::Services& ui, QWidget* parent)
    : QWidget(parent), ws_(ws), ui_(ui) {
  for (int c = 0; c < view::tableColumnCount(data::kMaxRounds); ++c)
    tableWidths_.push_back(view::defaultTableColumnWidth(c));
  buildForm();
}

void MainView::buildForm() {
  buildControls();
  buildList();
  connectControls();
  connectList();
}

// The form above the list: the mode, the pairing button, the lock and the pairing options.
void MainView::buildControls() {
  auto* form = new QWidget(this);
  form->setObjectName("form");
  auto* row = new QHBoxLayout(form);
  row->setContentsMargins(kListLeft, 0, kListLeft, 0);

  modeGroup_ = new QGroupBox(QStringLiteral("表示"), form);
  auto* modes = new QHBoxLayout(modeGroup_);
  modes->setContentsMargins(6, 0, 6, 0);
  tableRadio_ = new QRadioButton(QStringLiteral("対戦表"), modeGroup_);
  playerRadio_ = new QRadioButton(QStringLiteral("対局者"), modeGroup_);
  modes->addWidget(tableRadio_);
  modes->addWidget(playerRadio_);
  row->addWidget(modeGroup_);

  pairButton_ = new QPushButton(QStringLiteral("組み合わせ"), form);
  row->addWidget(pairButton_);
  lockBox_ = new QCheckBox(QStringLiteral("変更禁止"), form);
  row->addWidget(lockBox_);
  auto* options = new QVBoxLayout();
  options->setSpacing(0);
  decideSidesBox_ = new QCheckBox(QStringLiteral("先手後手決定"), form);
  deriveHandicapsBox_ = new QCheckBox(QStringLiteral("駒落ち"), form);
  options->addWidget(decideSidesBox_);
  options->addWidget(deriveHandicapsBox_);
  row->addLayout(options);
  affiliationOption_ = new AffiliationOption(form);
  row->addWidget(affiliationOption_);
  legend_ = new QLabel(QStringLiteral("緑：プロとの対戦\n桃：女流との対戦　黄：２局目"), form);
  // In a narrow window the legend yields its room first; the controls keep theirs.
  legend_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  legend_->setMinimumWidth(0);
  row->addWidget(legend_, 1);
}

// The list itself, and the hint it shows while it is empty.
void MainView::buildList() {
  list_ = new QTableView(this);
  list_->setObjectName("list");
  list_->setAccessibleName(QStringLiteral("対戦表"));
  model_ = new TableModel(list_);
  list_->setModel(model_);
  list_->setShowGrid(true);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setWordWrap(false);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  list_->horizontalHeader()->setHighlightSections(false);
  list_->setContextMenuPolicy(Qt::CustomContextMenu);
  list_->setItemDelegate(new CurrentCellDelegate(list_));
  list_->installEventFilter(this);
  emptyHint_ = new QLabel(list_->viewport());
  emptyHint_->setObjectName(QStringLiteral("emptyListHint"));
  emptyHint_->setWordWrap(true);
  emptyHint_->setAlignment(Qt::AlignCenter);
  emptyHint_->setStyleSheet(QStringLiteral("color: #505050; padding: 12px;"));
  emptyHint_->hide();
}

void MainView::connectControls() {
  // The mode follows the radio buttons' state, however they were switched (a click, the
  // keyboard, assistive technology's toggle action).
  connect(tableRadio_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) setTableMode(true);
  });
  connect(playerRadio_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) setTableMode(false);
  });
  connect(pairButton_, &QPushButton::clicked, this, &MainView::pairRequested);
  connect(lockBox_, &QCheckBox::clicked, this, [this](bool on) {
    emit lockToggled(on);
    updatePairingButton();  // the lock greys the button
  });
  // A grey button says why in the status bar while the pointer is on it (the filter sees the
  // pointer's moves even while the button is disabled).
  pairButton_->setMouseTracking(true);
  pairButton_->installEventFilter(this);
  connect(deriveHandicapsBox_, &QCheckBox::toggled, this, [this] {
    readOptions();
    decideSidesBox_->setEnabled(!ws_.deriveHandicaps);
  });
  connect(decideSidesBox_, &QCheckBox::toggled, this, [this] { readOptions(); });
  connect(affiliationOption_, &AffiliationOption::changed, this, [this] { readOptions(); });
}

void MainView::connectList() {
  connect(list_, &QWidget::customContextMenuRequested, this, &MainView::requestContextMenu);
  // Shift+F10 opens the context menu at the current cell, as the menu key does (and as
  // Windows does by itself).
  auto* menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), list_);
  menuKey->setContext(Qt::WidgetShortcut);
  connect(menuKey, &QShortcut::activated, this, [this] {
    const QModelIndex current = list_->currentIndex();
    requestContextMenu(current.isValid() ? list_->visualRect(current).center() : QPoint());
  });
  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &MainView::selectionChanged);
  connect(model_, &QAbstractItemModel::modelReset, this, &MainView::selectionChanged);
  connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &MainView::reportCurrentCell);
  connect(model_, &QAbstractItemModel::modelReset, this, &MainView::reportCurrentCell);
  // Widths the user sets are kept for the table mode for the rest of the run.
  connect(list_->horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int column, int, int width) {
            if (!filling_ && column >= 0 && static_cast<std::size_t>(column) < tableWidths_.size())
              tableWidths_[static_cast<std::size_t>(column)] = width;
          });
}

void MainView::firstUpdate(AppSettings& settings, const ListFont& font) {
  tableMode_ = settings.viewList() == 0;
  ws_.decideSides = settings.viewDecideSides() != 0;
  ws_.deriveHandicaps = settings.viewDeriveHandicaps() != 0;
  affiliationOption_->setRounds(settings.avoidAffiliationRounds());
  if (font.height != 0) applyListFont(font);
  fill();
  enableControlsForMode();
  tableRadio_->setChecked(tableMode_);
  playerRadio_->setChecked(!tableMode_);
  const bool decideSides = ws_.decideSides;
  const bool deriveHandicaps = ws_.deriveHandicaps;
  decideSidesBox_->setChecked(decideSides);
  deriveHandicapsBox_->setChecked(deriveHandicaps);
  readOptions();
  decideSidesBox_->setEnabled(!ws_.deriveHandicaps);
  laidOut_ = true;
  layOutList();
}

void MainView::saveViewState(AppSettings& settings) const {
  settings.setView(tableMode_ ? 0 : 1, ws_.decideSides ? 1 : 0, ws_.deriveHandicaps ? 1 : 0);
  settings.setAvoidAffiliationRounds(ws_.options.avoidAffiliationRounds);
}

void MainView::fill() {
  if (tableMode_)
    fillTable();
  else
    fillPlayers();
}

void MainView::showEmptyHint() {
  const QString hint = model_->rowCount() == 0
                           ? fromUtf8(view::emptyListHint(tableMode_, ws_.table, ws_.players))
                           : QString();
  emptyHint_->setText(hint);
  emptyHint_->setVisible(!hint.isEmpty());
  placeEmptyHint();
}

void MainView::placeEmptyHint() {
  // Below the header, across the list, where the first lines would be.
  const QRect area = list_->viewport()->rect();
  emptyHint_->setGeometry(area.left(), area.top(), area.width(), std::min(area.height(), 120));
}

void MainView::applyGrid(const std::vector<int>& widths) {
  filling_ = true;
  list_->setUpdatesEnabled(false);
  QHeaderView* header = list_->horizontalHeader();
  for (int c = 0; c < model_->columnCount(); ++c)
    header->resizeSection(c, static_cast<std::size_t>(c) < widths.size()
                                 ? widths[static_cast<std::size_t>(c)]
                                 : view::defaultTableColumnWidth(c));
  const int lineHeight = list_->fontMetrics().height() + 4;
  list_->verticalHeader()->setDefaultSectionSize(lineHeight);
  list_->setUpdatesEnabled(true);
  filling_ = false;
}

void MainView::fillTable() {
  list_->setUpdatesEnabled(false);
  model_->setGrid(view::tableGrid(ws_.table, ws_.players));
  applyGrid(tableWidths_);
  showEmptyHint();
  reportMissingPlayers();
}

void MainView::fillPlayers() {
  list_->setUpdatesEnabled(false);
  view::Grid grid = view::playerGrid(ws_.players);
  std::vector<int> widths;
  for (const view::Column& column : grid.columns) widths.push_back(column.width);
  model_->setGrid(grid);
  applyGrid(widths);
  showEmptyHint();
}

void MainView::reportMissingPlayers() {
  const auto& missing = model_->grid().missingPlayers;
  // A player file that did not read whole explains the missing numbers in its own question.
  if (missing.empty() || !ws_.notReadWhole().empty()) return;
  std::string numbers;
  for (int n : missing) numbers += (numbers.empty() ? "" : ", ") + std::to_string(n);
  ui_.errorBox(text::format(kMissingPlayers, numbers.c_str()), services::kErrorCaption);
}

void MainView::refreshTable() {
  if (tableMode_) refill(&MainView::fillTable);
}

void MainView::refreshPlayers() {
  if (!tableMode_) refill(&MainView::fillPlayers);
}

void MainView::refill(void (MainView::*fillMode)()) {
  // The same lines stay in view, selected and current, so that the next command (from the
  // keyboard above all) goes on from where the last one was.
  const int top = list_->verticalScrollBar()->value();
  const std::vector<int> lines = selectedLines();
  const QModelIndex current = list_->currentIndex();
  (this->*fillMode)();
  const int rows = model_->rowCount();
  const int columns = model_->columnCount();
  if (current.isValid() && current.row() < rows && columns > 0)
    list_->selectionModel()->setCurrentIndex(
        model_->index(current.row(), std::min(current.column(), columns - 1)),
        QItemSelectionModel::NoUpdate);
  QItemSelection kept;
  for (int line : lines)
    if (line < rows && columns > 0) kept.select(model_->index(line, 0), model_->index(line, 0));
  list_->selectionModel()->select(kept, QItemSelectionModel::Select | QItemSelectionModel::Rows);
  list_->verticalScrollBar()->setValue(top);
}

void MainView::updatePairingButton() {
  const view::PairingButtonRule rule = view::pairingButtonRule(ws_.table, ws_.players);
  switch (rule.state) {
    case view::PairingButton::Enable:
      setPairingButton(true, {});
      break;
    case view::PairingButton::Disable:
      setPairingButton(false, fromUtf8(rule.reason));
      break;
  }
}

void MainView::setPairingButton(bool enabled, const QString& reason) {
  pairButton_->setEnabled(enabled);
  pairButton_->setToolTip(reason);
  pairButton_->setStatusTip(reason);
}

void MainView::enableControlsForMode() {
  lockBox_->setEnabled(tableMode_);
  if (tableMode_) {
    lockBox_->setChecked(ws_.table.lockFlag != 0);
    updatePairingButton();
  } else {
    setPairingButton(false, fromUtf8(view::texts::kNeedsTableMode));
  }
}

void MainView::setTableMode(bool tableMode) {
  tableRadio_->setChecked(tableMode);
  playerRadio_->setChecked(!tableMode);
  if (tableMode == tableMode_) return;
  tableMode_ = tableMode;
  fill();
  enableControlsForMode();
  emit modeChanged(tableMode_);
}

void MainView::readOptions() {
  ws_.decideSides = decideSidesBox_->isChecked();
  ws_.deriveHandicaps = deriveHandicapsBox_->isChecked();
  ws_.options.avoidAffiliationRounds = affiliationOption_->rounds();
}

int MainView::selectedRow() const {
  const auto lines = selectedLines();
  return lines.empty() ? -1 : lines.front();
}

int MainView::selectedLineCount() const {
  return static_cast<int>(selectedLines().size());
}

std::vector<int> MainView::selectedLines() const {
  std::vector<int> lines;
  for (const QModelIndex& index : list_->selectionModel()->selectedRows())
    lines.push_back(index.row());
  std::sort(lines.begin(), lines.end());
  return lines;
}

void MainView::requestContextMenu(const QPoint& viewportPos) {
  const QModelIndex index = list_->indexAt(viewportPos);
  setClickedCell(index.isValid() ? index.row() : -1, index.isValid() ? index.column() : -1);
  emit contextMenuRequested(list_->viewport()->mapToGlobal(viewportPos));
}

void MainView::setClickedCell(int line, int column) {
  clickedLine_ = line;
  clickedColumn_ = column;
}

void MainView::setCurrentCell(int line, int column) {
  const QModelIndex index = model_->index(line, column);
  if (!index.isValid()) return;
  list_->selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  list_->scrollTo(index);
}

bool MainView::currentRoundCell(int& row, int& round) const {
  const QModelIndex current = list_->currentIndex();
  if (!tableMode_ || !current.isValid()) return false;
  row = view::rowOfLine(current.row());
  round = view::roundOfColumn(current.column());
  return ws_.table.validRow(row) && row < ws_.table.rows() && ws_.table.validRound(round);
}

void MainView::reportCurrentCell() {
  int row = -1;
  int round = -1;
  emit roundCellCurrent(currentRoundCell(row, round));
}

bool MainView::resultKey(const QKeyEvent& key) {
  // With Ctrl or Alt a key is a shortcut, never a result.
  if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  int row = -1;
  int round = -1;
  if (!currentRoundCell(row, round)) return false;
  const int code = key.key() == Qt::Key_Delete ? view::kDeleteKey
                   : key.key() < 0x80          ? key.key()
                                               : 0;
  const std::optional<std::int16_t> result = view::resultOfKey(code);
  if (!result) return false;
  // A result already there is changed only after a question.
  if (!edit::confirmResultChange(ws_, ui_, row, round, *result)) return true;
  emit resultKeyPressed(row, round, *result);
  return true;
}

bool MainView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == pairButton_ && event->type() == QEvent::MouseMove && !pairButton_->isEnabled() &&
      !pairButton_->statusTip().isEmpty())
    ui_.statusMessage(toUtf8(pairButton_->statusTip()));
  if (watched == list_ && event->type() == QEvent::KeyPress &&
      resultKey(*static_cast<QKeyEvent*>(event)))
    return true;
  return QWidget::eventFilter(watched, event);
}

void MainView::applyListFont(const ListFont& font) {
  listFont_ = font;
  QFont f = list_->font();
  // The stored face is cut to 31 bytes, as a font description holds it.
  f.setFamily(font.face.left(31));
  if (font.height != 0) f.setPixelSize(std::abs(font.height));
  if (font.weight > 0) f.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 1, 1000)));
  f.setItalic(font.italic != 0);
  list_->setFont(f);
  list_->verticalHeader()->setDefaultSectionSize(QFontMetrics(f).height() + 4);
  list_->viewport()->update();
}

void MainView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (auto* form = findChild<QWidget*>("form")) form->setGeometry(0, 0, width(), kListTop);
  layOutList();
}

void MainView::layOutList() {
  if (!laidOut_) return;
  list_->setGeometry(kListLeft, kListTop, std::max(0, width() - 2 * kListLeft),
                     std::max(0, height() - kListTop - kListLeft));
  placeEmptyHint();
}

}  // namespace toq::ui
