#include "ui/dialogs/result_sheet_dialog.h"
#include "ui/plain_text_rule.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/dialogs/dialog_buttons.h"
#include "ui/qt_text.h"

namespace toq::ui {

namespace {

// The current game's line: a background that no style hides.
const QColor kHighlight(255, 236, 170);

// "(先手) 名前", or the name alone when the sides are not decided.
QString playerText(const edit::SheetPlayer& p) {
  const QString name = fromCp932(p.name);
  return p.side.empty() ? name : QStringLiteral("(%1) %2").arg(fromCp932(p.side), name);
}

}  // namespace

ResultSheetDialog::ResultSheetDialog(const edit::ResultSheet& sheet, QWidget* parent)
    : QDialog(parent), sheet_(sheet) {
  setWindowTitle(QStringLiteral("結果の一括入力"));
  rounds_ = new QComboBox(this);
  for (const edit::RoundSheet& r : sheet_.rounds) rounds_->addItem(fromCp932(r.title));
  auto* top = new QGridLayout;
  addLabelledRow(top, 0, QStringLiteral("回戦："), rounds_);
  top->setColumnStretch(2, 1);

  scroll_ = new QScrollArea(this);
  scroll_->setWidgetResizable(true);
  scroll_->setMinimumSize(560, 320);
  sittingOut_ = new QLabel(this);
  sittingOut_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(scroll_, 1);
  layout->addWidget(sittingOut_);
  layout->addWidget(okCancelButtons(this));

  const int initial = sheet_.initial >= 0 && sheet_.initial < rounds_->count() ? sheet_.initial : 0;
  rounds_->setCurrentIndex(initial);
  showRound(initial);
  connect(rounds_, &QComboBox::currentIndexChanged, this, &ResultSheetDialog::showRound);
  // The sheet opens on the first game still without a result, scrolled to once the lines
  // have their places.
  if (!games_.isEmpty()) {
    const int open = edit::firstOpenGame(sheet_.rounds[static_cast<std::size_t>(initial)]);
    games_[open]->setFocus();
    highlightGame(open);
    QTimer::singleShot(0, this, [this, open] { focusGame(open); });
  }
}

void ResultSheetDialog::showRound(int index) {
  games_.clear();
  lines_.clear();
  highlighted_ = -1;
  auto* list = new QWidget;
  auto* grid = new QGridLayout(list);
  // No gaps between the cells, so that a highlighted line is one band.
  grid->setHorizontalSpacing(0);
  grid->setVerticalSpacing(2);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  if (index >= 0 && index < static_cast<int>(sheet_.rounds.size())) {
    const edit::RoundSheet& round = sheet_.rounds[static_cast<std::size_t>(index)];
    int line = 0;
    for (const edit::SheetGame& g : round.games) {
      auto* choice = new QComboBox(list);
      for (const std::string& c : g.choices) choice->addItem(fromCp932(c));
      choice->setCurrentIndex(g.choice);
      choice->installEventFilter(this);
      const QString first = playerText(g.first);
      const QString second = playerText(g.second);
      const QString handicap = fromCp932(g.handicap);
      // What assistive technology reads for the choice: the game it belongs to.
      choice->setAccessibleName(
          QStringLiteral("%1 %2 対 %3 %4").arg(g.board).arg(first, second, handicap));
      QList<QWidget*> cells;
      for (const QString& text :
           {QString::number(g.board), first, QStringLiteral("対"), second, handicap}) {
        auto* cell = new QLabel(text, list);
        cell->setContentsMargins(6, 2, 6, 2);
        cell->setAutoFillBackground(true);
        grid->addWidget(cell, line, static_cast<int>(cells.size()));
        cells.append(cell);
      }
      grid->addWidget(choice, line, 5);
      cells.append(choice);
      games_.append(choice);
      lines_.append(cells);
      ++line;
    }
    grid->setRowStretch(line, 1);
    QStringList out;
    for (const edit::SheetSittingOut& s : round.sittingOut)
      out << QStringLiteral("%1　%2").arg(fromCp932(s.name), fromCp932(s.reason));
    sittingOut_->setText(out.join(QLatin1Char('\n')));
  }
  sittingOut_->setVisible(!sittingOut_->text().isEmpty());
  // The list of the round shown before is deleted with it.
  scroll_->setWidget(list);
  // Each game's choice follows the previous one in the Tab order.
  QWidget* previous = rounds_;
  for (QComboBox* c : games_) {
    setTabOrder(previous, c);
    previous = c;
  }
}

void ResultSheetDialog::focusGame(int index) {
  if (index < 0 || index >= games_.size()) return;
  games_[index]->setFocus(Qt::OtherFocusReason);
  // The whole line, with half a line to spare above and below.
  const int margin = games_[index]->height() / 2 + 4;
  scroll_->ensureWidgetVisible(games_[index], 50, margin);
  highlightGame(index);
}

void ResultSheetDialog::highlightGame(int index) {
  if (index == highlighted_) return;
  for (int i : {highlighted_, index}) {
    if (i < 0 || i >= lines_.size()) continue;
    for (QWidget* cell : lines_[i]) {
      if (qobject_cast<QComboBox*>(cell)) continue;
      QPalette palette = cell->palette();
      palette.setColor(QPalette::Window,
                       i == index ? kHighlight : this->palette().color(QPalette::Window));
      cell->setPalette(palette);
    }
  }
  highlighted_ = index >= 0 && index < lines_.size() ? index : -1;
}

const edit::RoundSheet* ResultSheetDialog::roundShown() const {
  const int index = rounds_->currentIndex();
  if (index < 0 || index >= static_cast<int>(sheet_.rounds.size())) return nullptr;
  return &sheet_.rounds[static_cast<std::size_t>(index)];
}

bool ResultSheetDialog::confirmChange(int index, int choice) {
  const edit::RoundSheet* round = roundShown();
  if (!round || index >= static_cast<int>(round->games.size())) return true;
  const edit::SheetGame& g = round->games[static_cast<std::size_t>(index)];
  QComboBox* box = games_[index];
  // Only the first change away from a result entered before asks.
  if (g.choice == edit::kSheetNoResult || box->currentIndex() != g.choice || choice == g.choice)
    return true;
  const QString question =
      QStringLiteral("第%1局 %2 対 %3 の結果は「%4」です。「%5」に変えますか？")
          .arg(g.board)
          .arg(fromCp932(g.first.name), fromCp932(g.second.name), box->itemText(g.choice),
               box->itemText(choice));
  // いいえ is the default: a stray Enter keeps the result.
  QMessageBox ask(QMessageBox::Question, QStringLiteral("確認"), question,
                  QMessageBox::Yes | QMessageBox::No, this);
  makePlain(ask);
  ask.setDefaultButton(QMessageBox::No);
  ask.button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
  ask.button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
  ask.exec();
  return ask.clickedButton() == ask.button(QMessageBox::Yes);
}

bool ResultSheetDialog::eventFilter(QObject* watched, QEvent* event) {
  const int index = games_.indexOf(qobject_cast<QComboBox*>(watched));
  if (index >= 0 && event->type() == QEvent::FocusIn) highlightGame(index);
  if (index < 0 || event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
    return QDialog::eventFilter(watched, event);
  switch (key->key()) {
    case Qt::Key_Up:
      focusGame(index - 1);
      return true;
    case Qt::Key_Down:
      focusGame(index + 1);
      return true;
    default:
      break;
  }
  if (std::optional<int> choice = edit::sheetChoiceOfKey(key->key())) {
    if (!confirmChange(index, *choice)) return true;
    games_[index]->setCurrentIndex(*choice);
    focusGame(index + 1);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

edit::ResultSheetAnswer ResultSheetDialog::answer() const {
  edit::ResultSheetAnswer a;
  const int index = rounds_->currentIndex();
  if (index >= 0 && index < static_cast<int>(sheet_.rounds.size()))
    a.round = sheet_.rounds[static_cast<std::size_t>(index)].round;
  for (const QComboBox* c : games_) a.choices.push_back(c->currentIndex());
  return a;
}

std::optional<edit::ResultSheetAnswer> ResultSheetDialog::choose(const edit::ResultSheet& sheet,
                                                                 QWidget* parent) {
  ResultSheetDialog d(sheet, parent);
  if (d.exec() != QDialog::Accepted) return std::nullopt;
  return d.answer();
}

}  // namespace toq::ui
