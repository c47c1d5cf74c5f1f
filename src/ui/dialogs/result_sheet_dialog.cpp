#include "ui/dialogs/result_sheet_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include "ui/dialogs/dialog_buttons.h"
#include "ui/qt_text.h"

namespace toq::ui {

namespace {

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
  if (!games_.isEmpty()) games_.front()->setFocus();
}

void ResultSheetDialog::showRound(int index) {
  games_.clear();
  auto* list = new QWidget;
  auto* grid = new QGridLayout(list);
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
      grid->addWidget(new QLabel(QString::number(g.board), list), line, 0);
      grid->addWidget(new QLabel(first, list), line, 1);
      grid->addWidget(new QLabel(QStringLiteral("対"), list), line, 2);
      grid->addWidget(new QLabel(second, list), line, 3);
      grid->addWidget(new QLabel(handicap, list), line, 4);
      grid->addWidget(choice, line, 5);
      games_.append(choice);
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
  scroll_->ensureWidgetVisible(games_[index]);
}

bool ResultSheetDialog::eventFilter(QObject* watched, QEvent* event) {
  const int index = games_.indexOf(qobject_cast<QComboBox*>(watched));
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
