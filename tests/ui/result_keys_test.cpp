// A whole round entered from the keyboard alone: the current cell moved by the arrow keys, the
// result keys W/L/D/Delete and 1/2/3/0 on the list, the current cell going on to the next game
// without a result (past the opponent's line), and the refusals (the lock, a bye, an unpaired
// cell, a key with Ctrl). What each key enters, where the cell goes and what the file holds are
// the test's own expectations, not the program's rules. Then the round's result sheet through
// its command: one write, one undo step.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QtTest>

#include "edit/history.h"
#include "edit/results.h"
#include "support/builders.h"
#include "support/recording_services.h"
#include "ui/commands.h"
#include "ui/dialogs/result_sheet_dialog.h"
#include "ui/elided_label.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/qt_services.h"
#include "ui/support/await_dialog.h"
#include "ui/support/running_app.h"
#include "view/layout.h"
#include "view/result_keys.h"

using namespace toq;
using testing::Await;
using testing::RunningApp;
using view::Command;

namespace {

// The keys of a round in the order pressed, with what each enters for the current line's
// player: W/1 win, L/2 loss, D/3 draw, Delete/0 no result, letters in either case.
struct KeyAndResult {
  int key;
  std::int16_t own;
};
constexpr KeyAndResult kRoundKeys[] = {
    {'W', data::kWin},        {'2', data::kLoss},
    {'d', data::kDraw},       {Qt::Key_Delete, data::kResultNone},
    {'1', data::kWin},        {'L', data::kLoss},
    {'3', data::kDraw},       {'w', data::kWin},
    {'0', data::kResultNone}, {'W', data::kWin},
    {'l', data::kLoss}};

// The opposite side's result, written out: a win is the other's loss, a draw both players'.
std::int16_t otherSide(std::int16_t own) {
  if (own == data::kWin) return data::kLoss;
  if (own == data::kLoss) return data::kWin;
  return own;
}

// Where the current cell should go after a result in (row, round): the next row below (then
// from the top) that plays a game of the round still without a result, never the row itself
// nor its opponent; none when no such row is left.
std::optional<int> expectedNext(const data::Table& t, int row, int round) {
  const int other = t.opponent[row][round];
  for (int step = 1; step < t.participantCount; ++step) {
    const int r = (row + step) % t.participantCount;
    if (r == other || t.opponent[r][round] < 0) continue;
    if (t.result[r][round] == data::kResultNone) return r;
  }
  return std::nullopt;
}

// The sample event with a bye for its last row and round 1 paired by the button.
void pairFirstRound(RunningApp& run) {
  const int last = run.ws().table.rows() - 1;
  run.select({view::firstLineOfRow(last)});
  run.action(Command::SetBye)->trigger();
  QVERIFY(run.view()->pairingButton()->isEnabled());
  run.view()->pairingButton()->click();
  QCOMPARE(run.ws().table.FirstUnpairedRound(), 1);
}

// The list's current cell as (row, round).
std::pair<int, int> currentCell(RunningApp& run) {
  const QModelIndex at = run.view()->list()->currentIndex();
  return {view::rowOfLine(at.row()), view::roundOfColumn(at.column())};
}

// A key on the list: a character as typed (with its text), or a named key.
void key(RunningApp& run, int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  if (k < 0x80)
    QTest::keyClick(run.view()->list(), static_cast<char>(k), modifiers);
  else
    QTest::keyClick(run.view()->list(), static_cast<Qt::Key>(k), modifiers);
}

class ResultKeysTest : public QObject {
  Q_OBJECT

 private slots:
  // A long message is shortened at a character, whole in its tooltip, and keeps its room
  // before the serving address.
  void aLongStatusMessageIsShortenedBeforeTheServingAddress() {
    RunningApp run;
    ui::MainWindow* w = run.window();
    w->resize(640, 600);
    w->showServing(QStringLiteral("http://192.168.10.23:8080/"));
    ui::QtServices services;
    services.setMainWindow(w);
    const QString message = QStringLiteral(
        "2回戦を組み合わせました。抜け番は 吉田 陽菜 さんです。所属が同じ対局が2局あります。");
    services.statusMessage(message.toStdString());
    QCoreApplication::processEvents();
    auto* pane = w->statusBar()->findChild<ui::ElidedLabel*>(ui::kStatusPaneName);
    auto* serving = w->statusBar()->findChild<ui::ElidedLabel*>(QStringLiteral("servingLabel"));
    QVERIFY(pane && serving);
    QCOMPARE(pane->toolTip(), message);
    QCOMPARE(services.shownStatus(), message);
    QVERIFY(pane->shownText().endsWith(QChar(0x2026)));
    QVERIFY(message.startsWith(pane->shownText().chopped(1)));
    // The message has the larger part, left of the address.
    QVERIFY(pane->mapTo(w, QPoint(pane->width(), 0)).x() <= serving->mapTo(w, QPoint(0, 0)).x());
    QVERIFY(pane->width() > serving->width());
  }

  void aWholeRoundByKeysEntersWhatEachKeyMeans() {
    RunningApp run;
    pairFirstRound(run);
    data::Table& t = run.ws().table;
    const int byeRow = t.rows() - 1;

    // The results the keys should leave, kept by the test itself.
    auto expected = std::make_unique<data::Table>(t);

    QTableView* list = run.view()->list();
    list->setFocus();
    run.view()->setCurrentCell(0, view::kNameColumn);
    QVERIFY(run.window()->resultKeysHint()->isHidden());
    // The arrow keys move the current cell: right onto round 1, down a line and back.
    key(run, Qt::Key_Right);
    QCOMPARE(currentCell(run), std::make_pair(0, 0));
    QVERIFY(!run.window()->resultKeysHint()->isHidden());
    key(run, Qt::Key_Down);
    QCOMPARE(list->currentIndex().row(), 1);
    key(run, Qt::Key_Up);
    QCOMPARE(list->currentIndex().row(), 0);

    // Refused: a key with Ctrl, an unpaired cell, a bye, anything while the table is locked.
    const std::string before = run.bytes(run.tai);
    key(run, 'W', Qt::ControlModifier);
    QCOMPARE(t.OpenGames(0), t.rows() / 2);
    run.view()->setCurrentCell(0, view::columnOfRound(0));
    key(run, Qt::Key_Right);  // round 2, not paired yet
    QCOMPARE(currentCell(run), std::make_pair(0, 1));
    key(run, 'W');
    run.view()->setCurrentCell(view::firstLineOfRow(byeRow), view::columnOfRound(0));
    key(run, '1');
    QCOMPARE(currentCell(run), std::make_pair(byeRow, 0));
    run.view()->lockBox()->click();
    QVERIFY(t.lockFlag != 0);
    run.box.ui.clear();
    run.view()->setCurrentCell(0, view::columnOfRound(0));
    key(run, 'W');
    QCOMPARE(run.box.ui.warnings().size(), std::size_t{1});  // "変更は禁止されています。"
    QCOMPARE(currentCell(run), std::make_pair(0, 0));
    run.view()->lockBox()->click();
    QVERIFY(t.lockFlag == 0);
    QCOMPARE(t.OpenGames(0), t.rows() / 2);
    QCOMPARE(run.bytes(run.tai), before);
    // Only the lock's two switches were steps.
    QCOMPARE(run.ws().history.undoCount(), std::size_t{4});  // bye, pairing, lock, unlock

    // The round, one key per game, in both spellings of each key.
    int k = 0;
    std::size_t steps = run.ws().history.undoCount();
    while (t.OpenGames(0) > 0) {
      const auto [row, round] = currentCell(run);
      QCOMPARE(round, 0);
      const int other = t.opponent[row][0];
      QVERIFY(other >= 0 && other < t.participantCount);
      const KeyAndResult pressed = kRoundKeys[k++ % std::size(kRoundKeys)];
      expected->result[row][0] = pressed.own;
      expected->result[other][0] = otherSide(pressed.own);
      const std::optional<int> next = expectedNext(*expected, row, 0);
      key(run, pressed.key);
      QCOMPARE(t.result[row][0], pressed.own);
      QCOMPARE(t.result[other][0], otherSide(pressed.own));
      if (pressed.own != data::kResultNone) {
        // On to the next open game, never the opponent's line of this one.
        QCOMPARE(run.ws().history.undoCount(), ++steps);
        if (t.OpenGames(0) > 0) {
          QCOMPARE(currentCell(run).first, *next);
          QVERIFY(currentCell(run).first != other);
        }
      } else {
        // No result: the game stays open and the key takes the cell past it, if it can.
        QCOMPARE(run.ws().history.undoCount(), steps);
        QCOMPARE(currentCell(run).first, next ? *next : row);
      }
      QVERIFY(k < 60);
    }
    QCOMPARE(t.OpenGames(0), 0);
    // The file holds every result the keys entered, and nothing else changed.
    const std::unique_ptr<data::Table> saved = run.onDisk();
    QVERIFY(saved);
    QCOMPARE(saved->participantCount, expected->participantCount);
    for (int row = 0; row < expected->participantCount; ++row)
      for (int round = 0; round < expected->numberOfGames; ++round) {
        QCOMPARE(saved->opponent[row][round], expected->opponent[row][round]);
        QCOMPARE(saved->side[row][round], expected->side[row][round]);
        QCOMPARE(saved->result[row][round], expected->result[row][round]);
      }
    QVERIFY(run.bytes(run.tai) != before);
    QCOMPARE(QString::fromStdString(run.box.ui.statuses().back()),
             QStringLiteral("結果の未入力は 0組"));
  }

  void theResultSheetIsOneCommandAndOneStep() {
    RunningApp run;
    pairFirstRound(run);
    QAction* sheet = run.action(Command::ResultSheet);
    run.window()->updateCommandStates();
    QVERIFY(sheet->isEnabled());
    const std::size_t steps = run.ws().history.undoCount();
    const std::string before = run.bytes(run.tai);
    int games = 0;
    auto dialog = Await::dialog<ui::ResultSheetDialog>([&](ui::ResultSheetDialog* d) {
      games = static_cast<int>(d->games().size());
      // The keyboard alone: 1 for every game (the choice moves on), Enter for OK.
      QCOMPARE(d->focusWidget(), d->games().front());
      for (int i = 0; i < games; ++i) QTest::keyClick(d->focusWidget(), Qt::Key_1);
      QTest::keyClick(d->focusWidget(), Qt::Key_Return);
      if (d->isVisible()) d->reject();  // never left open, whatever failed above
    });
    sheet->trigger();
    QVERIFY(dialog->handled());
    data::Table& t = run.ws().table;
    QCOMPARE(games, t.rows() / 2);
    QCOMPARE(t.OpenGames(0), 0);
    QCOMPARE(run.ws().history.undoCount(), steps + 1);
    QCOMPARE(QString::fromStdString(run.ws().history.undoStep()->label),
             QStringLiteral("1回戦の結果の一括入力"));
    QCOMPARE(run.action(Command::Undo)->text(),
             QStringLiteral("元に戻す(&U): 1回戦の結果の一括入力"));
    // One undo takes the whole sheet back, byte for byte.
    run.action(Command::Undo)->trigger();
    QCOMPARE(run.bytes(run.tai), before);
    QCOMPARE(t.OpenGames(0), games);
  }
};

}  // namespace

QTEST_MAIN(ResultKeysTest)
#include "result_keys_test.moc"
