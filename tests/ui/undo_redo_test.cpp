// Undo and redo through the window's actions: each command kind taken back to the table file's
// bytes before it and brought back to the bytes after it (the register too), the entries
// naming the command (a result its round, its players and whose it is), the lock respected, the
// history given back when the table is opened again (from its journal), redo forgotten after a new
// command.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include "data/player_file.h"
#include "ui/commands.h"
#include "ui/dialogs/add_participant_dialog.h"
#include "ui/dialogs/player_dialog.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/support/await_dialog.h"
#include "ui/support/running_app.h"
#include "view/layout.h"

using namespace toq;
using testing::Await;
using testing::RunningApp;
using view::Command;

namespace {

struct Files {
  std::string table;
  std::string players;
  bool operator==(const Files&) const = default;
};

Files files(RunningApp& run) {
  std::filesystem::path ply = run.tai;
  ply.replace_extension(".ply");
  return {run.bytes(run.tai), run.bytes(ply)};
}

// The full name of a row's player, as the steps name a result's players.
QString playerName(RunningApp& run, int row) {
  const data::Player* p = run.ws().players.FindPlayer(run.ws().table.participants[row]);
  return p ? ui::fromCp932(p->name) : QString();
}

// Undo gives the files before the command, redo those after it, and undo again before.
void roundTrip(RunningApp& run, const Files& before, const QString& label) {
  const Files after = files(run);
  QVERIFY2(!(after == before), qPrintable(label));
  QAction* undo = run.action(Command::Undo);
  QAction* redo = run.action(Command::Redo);
  QVERIFY(undo->isEnabled());
  QCOMPARE(undo->text(), QStringLiteral("元に戻す(&U): ") + label);
  undo->trigger();
  QVERIFY2(files(run) == before, qPrintable(label));
  QVERIFY(redo->isEnabled());
  QCOMPARE(redo->text(), QStringLiteral("やり直し(&R): ") + label);
  redo->trigger();
  QVERIFY2(files(run) == after, qPrintable(label));
}

class UndoRedoTest : public QObject {
  Q_OBJECT

 private slots:
  void eachCommandKindIsOneStep() {
    RunningApp run;
    data::Table& t = run.ws().table;
    QVERIFY(!run.action(Command::Undo)->isEnabled());
    QCOMPARE(run.action(Command::Undo)->text(), QStringLiteral("元に戻す(&U)"));
    const int last = t.rows() - 1;

    Files before = files(run);
    run.select({view::firstLineOfRow(last)});
    run.action(Command::SetBye)->trigger();
    roundTrip(run, before, QStringLiteral("抜け番"));

    before = files(run);
    run.view()->pairingButton()->click();
    roundTrip(run, before, QStringLiteral("1回戦の組み合わせ"));

    // A result names its round, its board (row 0's game is the round list's first) and its
    // two players.
    before = files(run);
    run.view()->setCurrentCell(0, view::columnOfRound(0));
    QTest::keyClick(run.view()->list(), Qt::Key_W);
    const int opponent = t.opponent[0][0];
    roundTrip(run, before,
              QStringLiteral("1回戦 %1 対 %2: %1 の勝ち")
                  .arg(playerName(run, 0), playerName(run, opponent)));

    before = files(run);
    run.view()->lockBox()->click();
    roundTrip(run, before, QStringLiteral("変更禁止の設定"));
    QVERIFY(t.lockFlag != 0 && run.view()->lockBox()->isChecked());
    before = files(run);
    run.view()->lockBox()->click();
    roundTrip(run, before, QStringLiteral("変更禁止の解除"));
    QVERIFY(t.lockFlag == 0 && !run.view()->lockBox()->isChecked());

    before = files(run);
    run.action(Command::CancelLatestRound)->trigger();
    roundTrip(run, before, QStringLiteral("1回戦の組み合わせの取り消し"));

    // Cancelling all pairings, from the round paired again.
    run.action(Command::Undo)->trigger();
    QVERIFY(t.LastPairedRound() == 0);
    before = files(run);
    run.action(Command::CancelAllPairings)->trigger();
    roundTrip(run, before, QStringLiteral("全ての組み合わせの取り消し"));

    // The register: a new player.
    before = files(run);
    run.view()->setTableMode(false);
    auto dialog = Await::dialog<ui::PlayerDialog>([](ui::PlayerDialog* d) {
      auto* name = qobject_cast<QLineEdit*>(d->focusWidget());
      if (name) name->setText(QStringLiteral("新人"));
      d->accept();
    });
    run.action(Command::RegisterPlayer)->trigger();
    QVERIFY(dialog->handled());
    roundTrip(run, before, QStringLiteral("対局者の新規登録"));
    run.view()->setTableMode(true);
  }

  void aLockedTableRefusesUndoOfAChange() {
    RunningApp run;
    data::Table& t = run.ws().table;
    run.select({view::firstLineOfRow(t.rows() - 1)});
    run.action(Command::SetBye)->trigger();
    // Locked while the latest step is a change of the table (as when another program locked
    // the file): undo is refused like any change.
    t.lockFlag = 1;
    run.box.ui.clear();
    const std::string before = run.bytes(run.tai);
    QCOMPARE(run.action(Command::Undo)->text(), QStringLiteral("元に戻す(&U): 抜け番"));
    run.action(Command::Undo)->trigger();
    QCOMPARE(run.box.ui.warnings().size(), std::size_t{1});  // "変更は禁止されています。"
    QVERIFY(t.opponent[t.rows() - 1][0] == data::kBye);
    QCOMPARE(run.bytes(run.tai), before);
  }

  void reopeningGivesBackTheStepsAndANewCommandForgetsRedo() {
    RunningApp run;
    data::Table& t = run.ws().table;
    run.select({view::firstLineOfRow(t.rows() - 1)});
    run.action(Command::SetBye)->trigger();
    run.view()->pairingButton()->click();
    QCOMPARE(run.ws().history.undoCount(), std::size_t{2});
    run.action(Command::Undo)->trigger();
    QVERIFY(run.action(Command::Redo)->isEnabled());
    run.select({view::firstLineOfRow(0)});
    run.action(Command::SetBye)->trigger();  // a new command
    QVERIFY(!run.action(Command::Redo)->isEnabled());
    QCOMPARE(run.ws().history.undoCount(), std::size_t{2});

    // Opening the table again: the same steps come back from the event's journal.
    QVERIFY(run.app->commands()->openFile(QString::fromStdString(run.tai.string())));
    QCOMPARE(run.ws().history.undoCount(), std::size_t{2});
    QVERIFY(!run.action(Command::Redo)->isEnabled());
    QCOMPARE(run.action(Command::Undo)->text(), QStringLiteral("元に戻す(&U): 抜け番"));
  }

  void aHundredStepsAreKept() {
    RunningApp run;
    data::Table& t = run.ws().table;
    run.select({view::firstLineOfRow(t.rows() - 1)});
    run.action(Command::SetBye)->trigger();
    run.view()->pairingButton()->click();
    run.view()->setCurrentCell(0, view::columnOfRound(0));
    const std::string paired = run.bytes(run.tai);
    // 110 keys on one game, win and loss in turn: each a step.
    for (int i = 0; i < 110; ++i) {
      run.view()->setCurrentCell(0, view::columnOfRound(0));
      QTest::keyClick(run.view()->list(), i % 2 ? Qt::Key_L : Qt::Key_W);
    }
    QCOMPARE(run.ws().history.undoCount(), std::size_t{100});
    for (int i = 0; i < 100; ++i) run.action(Command::Undo)->trigger();
    QVERIFY(!run.action(Command::Undo)->isEnabled());
    QCOMPARE(run.ws().history.redoCount(), std::size_t{100});
    // The oldest steps were dropped: the 100 undos end after the tenth key, not at the pairing.
    QVERIFY(run.bytes(run.tai) != paired);
    QCOMPARE(t.result[0][0], data::kLoss);  // key 10 was L
  }
};

}  // namespace

QTEST_MAIN(UndoRedoTest)
#include "undo_redo_test.moc"
