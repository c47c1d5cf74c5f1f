// The event's journal seen from the window: the undo steps of before a restart come back with
// their names and take the files back byte for byte; 履歴 lists who made each step, newest
// first, narrows to a board, shows the table of a step and makes it the event's state again as
// one new step.
#include <QComboBox>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

#include "ui/dialogs/history_dialog.h"
#include "ui/main_view.h"
#include "ui/qt_text.h"
#include "ui/support/await_dialog.h"
#include "ui/support/running_app.h"
#include "view/layout.h"

using namespace toq;
using testing::Await;
using testing::RunningApp;
using view::Command;

namespace {

std::string both(RunningApp& run) {
  std::filesystem::path ply = run.tai;
  ply.replace_extension(".ply");
  return run.bytes(run.tai) + run.bytes(ply);
}

// A win entered with the result key on the row's first round.
void win(RunningApp& run, int row) {
  run.view()->setCurrentCell(view::firstLineOfRow(row), view::columnOfRound(0));
  QTest::keyClick(run.view()->list(), Qt::Key_W);
}

void restart(RunningApp& run) {
  run.app->exit();
  run.app = run.box.makeApp();
  run.app->start(ui::fromPath(run.tai), true);
}

}  // namespace

class JournalTest : public QObject {
  Q_OBJECT

 private slots:
  void undoAfterReopeningAndRestoreFromTheHistory() {
    RunningApp run;
    const data::Table& t = run.ws().table;
    // The sample's odd player sits out, so that pairing asks nothing.
    run.select({view::firstLineOfRow(t.rows() - 1)});
    run.action(Command::SetBye)->trigger();
    run.view()->pairingButton()->click();
    const std::string paired = both(run);
    int other = 1;
    while (other == t.opponent[0][0]) ++other;
    win(run, 0);
    const std::string oneResult = both(run);
    win(run, other);
    const std::string twoResults = both(run);
    const QString lastStep = run.action(Command::Undo)->text();
    QVERIFY(lastStep.contains(QStringLiteral(" の勝ち")));

    restart(run);
    QCOMPARE(both(run), twoResults);
    QCOMPARE(run.action(Command::Undo)->text(), lastStep);
    run.action(Command::Undo)->trigger();
    QCOMPARE(both(run), oneResult);
    run.action(Command::Undo)->trigger();
    QCOMPARE(both(run), paired);
    run.action(Command::Redo)->trigger();
    QCOMPARE(both(run), oneResult);

    // 履歴: the newest step first and by the window; narrowed to row 0's board in round 1,
    // its result and the pairing; the pairing's state restored as one new step.
    auto dialog = Await::dialog<ui::HistoryDialog>([](ui::HistoryDialog* d) {
      QTableWidget* steps = d->steps();
      QVERIFY(steps->rowCount() >= 5);
      QCOMPARE(steps->item(0, 2)->text(), QStringLiteral("ウィンドウ"));
      QVERIFY(steps->item(0, 3)->text().startsWith(QStringLiteral("やり直し: 1回戦 ")));
      const int board = d->filter()->findText(QStringLiteral("1回戦 第1局 "), Qt::MatchStartsWith);
      QVERIFY(board > 0);
      d->filter()->setCurrentIndex(board);
      for (int i = 0; i < steps->rowCount(); ++i)
        if (steps->item(i, 3)->text() == QStringLiteral("1回戦の組み合わせ")) steps->selectRow(i);
      QVERIFY(d->restoreButton()->isEnabled());
      QVERIFY(d->table()->rowCount() > 0);
      d->restoreButton()->click();
    });
    run.action(Command::History)->trigger();
    QVERIFY(dialog->handled());
    QCOMPARE(both(run), paired);
    QVERIFY(run.action(Command::Undo)->text().contains(QStringLiteral("の時点に戻す")));
    run.action(Command::Undo)->trigger();
    QCOMPARE(both(run), oneResult);
  }
};

QTEST_MAIN(JournalTest)
#include "journal_test.moc"
