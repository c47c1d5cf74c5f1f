// The list's context menu in both modes: its entries for the selected row and the clicked
// cell, the cell recorded before the menu is built, and the chosen command running without the
// menu bar's enabling rules.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QWindow>
#include <QtTest>

#include "ui/commands.h"
#include "ui/dialogs/explanation_dialog.h"
#include "ui/dialogs/opponent_dialog.h"
#include "ui/dialogs/player_dialog.h"
#include "ui/dialogs/result_dialog.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/support/await_dialog.h"
#include "ui/support/running_app.h"
#include "view/command_table.h"

using namespace toq;
using testing::Await;
using testing::button;
using testing::RunningApp;

namespace {

using view::Command;

// The context-menu text of a command, as the command table gives it.
QString entry(Command command) {
  return ui::fromUtf8(view::findCommand(command)->context.text);
}

const QString kOpponent = entry(Command::SetOpponent);
const QString kBye = entry(Command::SetBye);
const QString kHandicap = entry(Command::HandicapAndResult);
const QString kResult = entry(Command::EnterResult);
const QString kCancel = entry(Command::CancelPairing);
const QString kSheet = entry(Command::ResultSheet);
const QString kAdd = entry(Command::AddParticipant);
const QString kEditRow = entry(Command::EditRowPlayer);
const QString kRemove = entry(Command::RemoveParticipant);
const QString kExplain = entry(Command::ExplainBoard);
const QString kSitOut = entry(Command::SitOut);
const QString kWithdraw = entry(Command::Withdraw);
const QString kTakeBack = entry(Command::TakeBackAbsence);

// Right-clicks a cell and answers the entries the menu showed (the menu is closed unchosen).
QStringList menuAt(RunningApp& run, int line, int column) {
  QStringList texts;
  auto popup = Await::popup([&](QMenu* menu) {
    texts = testing::entryTexts(menu);
    menu->close();
  });
  run.rightClick(line, column);
  return popup->handled() ? texts : QStringList{QStringLiteral("(no menu)")};
}

// Right-clicks a cell and chooses an entry; false when the menu had no such entry.
bool chooseAt(RunningApp& run, int line, int column, const QString& entry) {
  bool chosen = false;
  auto popup = Await::popup([&](QMenu* menu) { chosen = testing::chooseEntry(menu, entry); });
  run.rightClick(line, column);
  return popup->handled() && chosen;
}

// Row 0 played row 6 in rounds 1 and 2; row 2 had a bye in round 1.
void playTwoRounds(edit::Workspace& ws) {
  for (int r : {0, 1}) {
    ws.table.setPair(r, 0, 6);
    ws.table.result[0][r] = data::kWin;
    ws.table.result[6][r] = data::kLoss;
  }
  ws.table.opponent[2][0] = data::kBye;
}

}  // namespace

class ContextMenuTest : public QObject {
  Q_OBJECT

 private slots:
  void tableModeEntriesFollowTheClickedCell() {
    RunningApp run;
    playTwoRounds(run.ws());
    run.app->commands()->afterTableChange();
    const QStringList tail = {QStringLiteral("-"), kAdd,     kSitOut, kWithdraw,
                              kTakeBack,           kEditRow, kRemove};

    run.select({1});
    QCOMPARE(menuAt(run, 1, 2),
             (QStringList{kOpponent, kBye, kHandicap, kResult, kCancel, kSheet, kExplain} + tail));
    QCOMPARE(run.view()->clickedLine(), 1);
    QCOMPARE(run.view()->clickedColumn(), 2);
    run.select({4});
    QCOMPARE(menuAt(run, 4, 2), (QStringList{kOpponent, kBye, kCancel, kSheet} + tail));  // a bye
    run.select({14});
    QCOMPARE(menuAt(run, 14, 2), (QStringList{kOpponent, kBye} + tail));  // unpaired
    QCOMPARE(menuAt(run, 14, 1), (QStringList{kOpponent, kBye} + tail));  // the name
    QCOMPARE(run.view()->clickedColumn(), 1);
    // Without a selection, row 0 stands for the selected row: its game in round 1 counts.
    run.select({});
    QCOMPARE(menuAt(run, 14, 2),
             (QStringList{kOpponent, kBye, kHandicap, kResult, kCancel, kSheet, kExplain} + tail));
  }

  void shiftF10OpensTheMenuAtTheCurrentCell() {
    RunningApp run;
    playTwoRounds(run.ws());
    run.app->commands()->afterTableChange();
    QTableView* list = run.view()->list();
    run.window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(run.window()));
    list->setFocus();
    list->setCurrentIndex(list->model()->index(1, 3));  // row 0, round 2: a game
    QStringList texts;
    auto popup = Await::popup([&](QMenu* menu) {
      texts = testing::entryTexts(menu);
      menu->close();
    });
    QTest::keyClick(run.window()->windowHandle(), Qt::Key_F10, Qt::ShiftModifier);
    QTRY_VERIFY(popup->handled());
    QVERIFY(texts.contains(kResult));
    QCOMPARE(run.view()->clickedLine(), 1);
    QCOMPARE(run.view()->clickedColumn(), 3);
  }

  void anEmptyTableOffersOnlyToAdd() {
    RunningApp run(false);
    QCOMPARE(run.ws().table.rows(), 0);
    // The list is empty: the click hits no cell.
    auto popup = Await::popup([](QMenu* menu) {
      QCOMPARE(testing::entryTexts(menu), (QStringList{QStringLiteral("-"), kAdd}));
      menu->close();
    });
    emit run.view()->contextMenuRequested(QPoint(10, 10));
    QVERIFY(popup->handled());
  }

  void playerModeEntries() {
    RunningApp run;
    run.view()->setTableMode(false);
    const QString edit = entry(Command::EditPlayer);
    const QString fresh = entry(Command::RegisterPlayer);
    run.select({3});
    QCOMPARE(menuAt(run, 3, 1), (QStringList{edit, fresh}));
    run.select({});
    QCOMPARE(menuAt(run, 3, 1), (QStringList{fresh}));

    // The edit entry opens the selected player's record.
    run.select({3});
    auto dialog = Await::dialog<ui::PlayerDialog>([](ui::PlayerDialog* d) {
      QCOMPARE(d->windowTitle(), QStringLiteral("棋士データの編集"));
      QCOMPARE(d->nameEdit()->text(), QStringLiteral("青山 大輔"));
      button(d, QStringLiteral("キャンセル"))->click();
    });
    QVERIFY(chooseAt(run, 3, 1, edit));
    QVERIFY(dialog->handled());
  }

  void chosenCommandsRunWithoutTheMenuBarsRules() {
    RunningApp run;
    edit::Workspace& ws = run.ws();
    // Two lines selected: the menu bar greys "対戦相手を入力する"; the context menu's entry
    // pairs the first selected row all the same.
    run.select({12, 14});
    QVERIFY(!run.action(Command::SetOpponent)->isEnabled());
    auto chooser = Await::dialog<ui::OpponentDialog>([](ui::OpponentDialog* d) {
      QCOMPARE(d->windowTitle(), QStringLiteral("1回戦　青山 大輔  対戦相手の指定"));
      d->list()->setCurrentIndex(d->list()->findText(QStringLiteral("宮下 美咲")));
      button(d, QStringLiteral("OK"))->click();
    });
    QVERIFY(chooseAt(run, 12, 2, kOpponent));
    QVERIFY(chooser->handled());
    QCOMPARE(ws.table.opponent[6][0], 9);
    QCOMPARE(run.onDisk()->opponent[9][0], 6);

    // The result of the clicked game.
    run.select({12});
    auto result = Await::dialog<ui::ResultDialog>([](ui::ResultDialog* d) {
      QCOMPARE(d->label()->text(), QStringLiteral("1回戦の勝敗"));
      d->list()->setCurrentIndex(0);
      button(d, QStringLiteral("OK"))->click();
    });
    QVERIFY(chooseAt(run, 13, 2, kResult));
    QVERIFY(result->handled());
    QCOMPARE(run.onDisk()->result[6][0], data::kWin);
  }

  void cancellingFromAnEarlierRoundCancelsTheRowsLastPairing() {
    RunningApp run;
    edit::Workspace& ws = run.ws();
    playTwoRounds(ws);
    run.app->commands()->afterTableChange();
    run.select({0});
    run.box.ui.answers = {true};
    QVERIFY(chooseAt(run, 0, 2, kCancel));
    QCOMPARE(run.box.ui.questions(),
             std::vector<std::string>{
                 "2回戦 北村 勇気八段 対 青山 大輔 の組み合わせを取り消しますか？"});
    QCOMPARE(ws.table.opponent[0][1], data::kUnpaired);
    QCOMPARE(ws.table.opponent[6][1], data::kUnpaired);
    QCOMPARE(ws.table.opponent[0][0], 6);
    QCOMPARE(run.onDisk()->opponent[0][1], data::kUnpaired);
  }

  void explanationsOfTheRoundAndOfTheClickedBoard() {
    RunningApp run;
    edit::Workspace& ws = run.ws();
    QAction* explain = run.action(Command::ExplainPairing);
    QVERIFY(!explain->isEnabled());  // nothing paired yet
    playTwoRounds(ws);
    run.app->commands()->afterTableChange();
    QVERIFY(explain->isEnabled());
    const std::string before = run.bytes(run.tai);
    // From the menu bar: the latest paired round, every board of it.
    auto whole = Await::dialog<ui::ExplanationDialog>([](ui::ExplanationDialog* d) {
      QCOMPARE(d->round(), 1);
      QVERIFY(d->text().contains(QStringLiteral("北村 勇気")));
      QVERIFY(d->text().contains(QStringLiteral("青山 大輔")));
      d->reject();
    });
    explain->trigger();
    QVERIFY(whole->handled());
    // From the context menu of a game cell: that board, in the clicked round.
    run.select({4});
    QVERIFY(!menuAt(run, 4, 2).contains(kExplain));  // a bye: no board to explain
    run.select({0});
    QVERIFY(menuAt(run, 0, 2).contains(kExplain));
    auto board = Await::dialog<ui::ExplanationDialog>([](ui::ExplanationDialog* d) {
      QCOMPARE(d->round(), 0);
      QVERIFY(d->text().contains(QStringLiteral("青山 大輔")));
      d->reject();
    });
    QVERIFY(chooseAt(run, 0, 2, kExplain));
    QVERIFY(board->handled());
    // Explaining changes nothing.
    QCOMPARE(run.bytes(run.tai), before);
    QCOMPARE(ws.table.opponent[0][1], 6);
  }
};

QTEST_MAIN(ContextMenuTest)
#include "context_menu_test.moc"
