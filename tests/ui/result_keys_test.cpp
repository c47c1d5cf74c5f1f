// A whole round entered from the keyboard alone: the current cell moved by the arrow keys, the
// result keys W/L/D/Delete and 1/2/3/0 on the list, the current cell going on to the next game
// without a result (past the opponent's line), and the refusals (the lock, a bye, an unpaired
// cell, a key with Ctrl). The table file must equal the one the edit layer writes for the same
// results, but for its path line. Then the round's result sheet through its command: one
// write, one undo step.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
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
#include "ui/support/await_dialog.h"
#include "ui/support/running_app.h"
#include "view/layout.h"
#include "view/result_keys.h"

using namespace toq;
using testing::Await;
using testing::RunningApp;
using view::Command;

namespace {

// Everything but the second line (the path the file was written to).
std::string withoutPathLine(const std::string& file) {
  const std::size_t first = file.find('\n');
  const std::size_t second = file.find('\n', first + 1);
  return file.substr(0, first + 1) + file.substr(second + 1);
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
  void aWholeRoundByKeysEqualsTheEditLayer() {
    RunningApp run;
    pairFirstRound(run);
    data::Table& t = run.ws().table;
    const int byeRow = t.rows() - 1;

    // The same round through the edit layer, in a folder of its own.
    QTemporaryDir refDir;
    edit::Workspace ref;
    ref.players = run.ws().players;
    ref.table = t;
    ref.table.SetTableFile(std::filesystem::path(refDir.path().toStdString()) / "event.tai");
    services::RecordingServices quiet;

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
    const int keys[] = {'W', '2', 'd', Qt::Key_Delete, '1', 'L', '3', 'w', '0', 'W', 'l'};
    int k = 0;
    std::size_t steps = run.ws().history.undoCount();
    while (t.OpenGames(0) > 0) {
      const auto [row, round] = currentCell(run);
      QCOMPARE(round, 0);
      QVERIFY(view::holdsGame(t, row, 0));
      const int other = t.opponentRow(row, 0);
      const int pressed = keys[k++ % std::size(keys)];
      const int code = pressed == Qt::Key_Delete ? view::kDeleteKey : pressed;
      const std::optional<std::int16_t> result = view::resultOfKey(code);
      QVERIFY(result);
      const std::optional<int> next = view::nextRowWithoutResult(t, row, 0);
      key(run, pressed);
      QCOMPARE(t.result[row][0], *result);
      QCOMPARE(t.result[other][0], data::oppositeResult(*result));
      QVERIFY(edit::enterResultCode(ref, quiet, row, 0, *result).done());
      if (*result != data::kResultNone) {
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
    QCOMPARE(withoutPathLine(run.bytes(run.tai)), withoutPathLine(run.bytes(ref.table.filePath)));
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
