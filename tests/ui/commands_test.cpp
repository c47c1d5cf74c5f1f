// Every command of the menus through its action on the running program: the menus, toolbar and
// accelerators built from the command table, one handler per command, the table's enabling
// rules in both modes with 0, 1 and 2 selected lines, both answers of every question, the
// dialogs each command opens, and what each command writes.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>
#include <algorithm>
#include <map>

#include "data/player_file.h"
#include "support/builders.h"
#include "text/cp932.h"
#include "ui/actions.h"
#include "ui/commands.h"
#include "ui/dialogs/add_participant_dialog.h"
#include "ui/dialogs/handicap_dialog.h"
#include "ui/dialogs/handicap_result_dialog.h"
#include "ui/dialogs/number_of_games_dialog.h"
#include "ui/dialogs/opponent_dialog.h"
#include "ui/dialogs/player_dialog.h"
#include "ui/dialogs/result_dialog.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/support/await_dialog.h"
#include "ui/support/running_app.h"
#include "ui/table_model.h"
#include "view/command_table.h"
#include "view/menus.h"

using namespace toq;
using testing::Await;
using testing::button;
using testing::RunningApp;
using view::Command;

namespace {

int indexOf(const QComboBox* list, const QString& text) {
  return list->findText(text);
}

// Rows 0 and 1 played round 1 (row 0 won); row 2 has a bye.
void playFirstGames(edit::Workspace& ws) {
  ws.table.setPair(0, 0, 1);
  ws.table.result[0][0] = data::kWin;
  ws.table.result[1][0] = data::kLoss;
  ws.table.opponent[2][0] = data::kBye;
}

}  // namespace

class CommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void menusToolbarAndAcceleratorsComeFromTheCommandTable() {
    RunningApp run;
    ui::MainWindow* w = run.window();
    // Each place shows its command's action with the table's text, shortcuts and check mark.
    auto sameAsEntry = [&](QAction* a, Command command) {
      const view::CommandEntry* e = view::findCommand(command);
      QVERIFY(e);
      QCOMPARE(a, run.action(command));
      QCOMPARE(a->text(), ui::fromUtf8(e->text));
      QCOMPARE(a->shortcuts(), e->shortcut ? QKeySequence::listFromString(ui::fromUtf8(e->shortcut))
                                           : QList<QKeySequence>{});
      QCOMPARE(a->isCheckable(), e->checkable);
      QCOMPARE(a->icon().isNull(), e->tool.icon == view::ToolIcon::None);
    };
    const QList<QAction*> menus = w->menuBar()->actions();
    QCOMPARE(menus.size(), static_cast<qsizetype>(view::menuBar().size()));
    for (qsizetype m = 0; m < menus.size(); ++m) {
      const view::MenuTitle& title = view::menuBar()[m];
      QCOMPARE(menus[m]->text(), ui::fromUtf8(title.text));
      const QList<QAction*> entries = menus[m]->menu()->actions();
      qsizetype at = 0;
      for (const view::MenuItem& item : view::menuItems(title.menu)) {
        QVERIFY(at < entries.size());
        if (item.kind == view::MenuItem::Kind::Command) {
          sameAsEntry(entries[at++], item.command);
        } else if (item.kind == view::MenuItem::Kind::Separator) {
          QVERIFY(entries[at++]->isSeparator());
        } else {
          // The recent files (here the sample's table), closed by their separator.
          QCOMPARE(entries[at++]->text(), "&1 " + QDir::toNativeSeparators(ui::fromPath(run.tai)));
          QVERIFY(entries[at++]->isSeparator());
        }
      }
      QCOMPARE(at, entries.size());
    }
    const QList<QAction*> buttons = w->actions()->toolBar()->actions();
    const std::vector<view::MenuItem> tools = view::toolBarItems();
    QCOMPARE(buttons.size(), static_cast<qsizetype>(tools.size()));
    for (std::size_t i = 0; i < tools.size(); ++i) {
      if (tools[i].separator())
        QVERIFY(buttons[i]->isSeparator());
      else
        sameAsEntry(buttons[i], tools[i].command);
    }
    // The accelerators without an entry belong to the window.
    for (const view::CommandEntry& e : view::commandTable()) {
      if (!e.acceleratorOnly()) continue;
      QVERIFY(static_cast<QWidget*>(w)->actions().contains(run.action(e.command)));
      sameAsEntry(run.action(e.command), e.command);
    }
    QCOMPARE(w->actions()->saveDocument()->shortcut(), QKeySequence("Ctrl+S"));
  }

  void everyCommandHasOneHandler() {
    std::map<Command, int> handlers;
    for (const ui::Commands::Handler& h : ui::Commands::handlers()) {
      QVERIFY((h.show != nullptr) + (h.change != nullptr) + (h.prepare != nullptr) +
                  (h.onCell != nullptr) + (h.prepareOnCell != nullptr) ==
              1);
      ++handlers[h.command];
    }
    for (const view::CommandEntry& e : view::commandTable())
      QVERIFY2(handlers[e.command] == 1, e.text ? e.text : e.context.text);
    QCOMPARE(handlers.size(), view::commandTable().size());
  }

  void entriesAreGreyedByTheTablesRulesInBothModes() {
    RunningApp run;
    // Every action with a rule shows that rule's answer for the window's state.
    auto check = [&](bool table, int n) {
      const view::ViewState state = run.window()->viewState();
      QCOMPARE(state.tableMode, table);
      QCOMPARE(state.selectedLines, n);
      for (const view::CommandEntry& e : view::commandTable()) {
        if (!e.enabled || !e.hasAction()) continue;
        QVERIFY2(run.action(e.command)->isEnabled() ==
                     view::commandEnabled(e.command, state, run.ws().table),
                 qPrintable(QStringLiteral("%1, %2 mode, %3 lines")
                                .arg(ui::fromUtf8(e.text), table ? "table" : "player")
                                .arg(n)));
      }
    };
    auto checkSelections = [&](bool table) {
      run.select({});
      check(table, 0);
      run.select({4});
      check(table, 1);
      run.select({4, 9});
      check(table, 2);
    };
    checkSelections(true);
    run.view()->setTableMode(false);
    checkSelections(false);
    run.view()->setTableMode(true);
    // A game entered greys the exchange of byes at once, without a menu being opened.
    run.select({0});
    run.ws().deriveHandicaps = false;
    auto chooser = Await::dialog<ui::OpponentDialog>([](ui::OpponentDialog* d) {
      d->list()->setCurrentIndex(0);
      button(d, "OK")->click();
    });
    run.select({4, 9});
    QVERIFY(run.action(Command::ExchangeByes)->isEnabled());
    run.select({0});
    run.action(Command::SetOpponent)->trigger();
    QVERIFY(chooser->handled());
    run.select({4, 9});
    QVERIFY(!run.action(Command::ExchangeByes)->isEnabled());
    checkSelections(true);
    // The table class opens the two lottery entries (which still do nothing).
    run.ws().table.tableClass = 4;
    run.app->commands()->afterTableChange();
    QVERIFY(run.action(Command::ShowLotteryConditions)->isEnabled());
    const auto before = run.bytes(run.tai);
    run.action(Command::ShowLotteryConditions)->trigger();
    run.action(Command::AnalyseLottery)->trigger();
    QCOMPARE(run.bytes(run.tai), before);
    // The generic accelerators follow no rule and stay usable in both modes.
    run.view()->setTableMode(false);
    QVERIFY(run.window()->actions()->openDocument()->isEnabled());
  }

  void checkMarksFollowTheFlagAndTheBars() {
    RunningApp run;
    QAction* format2 = run.action(Command::PrintFormat2);
    QVERIFY(format2->isChecked());
    format2->trigger();
    QVERIFY(!format2->isChecked());
    QVERIFY(!run.app->commands()->printFormat2());
    QAction* status = run.action(Command::StatusBar);
    QVERIFY(status->isChecked());
    status->trigger();
    QVERIFY(!run.window()->statusBar()->isVisible());
    QVERIFY(!status->isChecked());
    QAction* tools = run.action(Command::ToolBar);
    tools->trigger();
    QVERIFY(!run.window()->actions()->toolBar()->isVisible());
    QVERIFY(!tools->isChecked());
    tools->trigger();
    QVERIFY(tools->isChecked());
  }

  void setOpponentByeAndCancelThroughTheirDialogs() {
    RunningApp run;
    edit::Workspace& ws = run.ws();
    // 青山 (row 6) against 桜井, chosen by name in the chooser.
    run.select({12});
    QStringList offered;
    auto chooser = Await::dialog<ui::OpponentDialog>([&](ui::OpponentDialog* d) {
      for (int i = 0; i < d->list()->count(); ++i) offered << d->list()->itemText(i);
      QCOMPARE(d->windowTitle(), QStringLiteral("1回戦　青山 大輔  対戦相手の指定"));
      d->list()->setCurrentIndex(indexOf(d->list(), "桜井 健太"));
      button(d, "OK")->click();
    });
    run.action(Command::SetOpponent)->trigger();
    QVERIFY(chooser->handled());
    QVERIFY(offered.contains("（抜け番）"));
    QCOMPARE(ws.table.opponent[6][0], 7);
    QCOMPARE(run.onDisk()->opponent[7][0], 6);
    // The list shows the game at once.
    QCOMPARE(
        run.view()->model()->data(run.view()->model()->index(12, 2), Qt::DisplayRole).toString(),
        QStringLiteral("桜井"));

    // キャンセル in the chooser changes nothing.
    run.select({16});
    const std::string saved = run.bytes(run.tai);
    auto cancel = Await::dialog<ui::OpponentDialog>(
        [](ui::OpponentDialog* d) { button(d, "キャンセル")->click(); });
    run.action(Command::SetOpponent)->trigger();
    QVERIFY(cancel->handled());
    QCOMPARE(run.bytes(run.tai), saved);

    // A bye for row 8, then its cancellation asks with the bye wording; No keeps it.
    run.action(Command::SetBye)->trigger();
    QCOMPARE(ws.table.opponent[8][0], data::kBye);
    QCOMPARE(run.onDisk()->opponent[8][0], data::kBye);
    run.box.ui.clear();
    run.box.ui.answers = {false, true};
    run.action(Command::CancelPairing)->trigger();
    QCOMPARE(ws.table.opponent[8][0], data::kBye);
    run.action(Command::CancelPairing)->trigger();
    QCOMPARE(ws.table.opponent[8][0], data::kUnpaired);
    QCOMPARE(run.onDisk()->opponent[8][0], data::kUnpaired);
    QCOMPARE(run.box.ui.questions(),
             std::vector<std::string>(2, "1回戦 藤森 蒼 抜け番 の組み合わせを取り消しますか？"));
    QCOMPARE(run.box.ui.messages.front().caption, std::string("警告"));

    // The game of row 6 is cancelled from the other row, with the game wording.
    run.select({15});
    run.box.ui.clear();
    run.action(Command::CancelPairing)->trigger();
    QCOMPARE(
        run.box.ui.questions(),
        std::vector<std::string>{"1回戦 桜井 健太 対 青山 大輔 の組み合わせを取り消しますか？"});
    QCOMPARE(ws.table.opponent[6][0], data::kUnpaired);
  }

  void aLockedTableRefusesTheEditingCommands() {
    RunningApp run;
    run.view()->lockBox()->click();
    QCOMPARE(run.ws().table.lockFlag, 1);
    run.select({12});
    run.box.ui.clear();
    run.action(Command::SetBye)->trigger();
    run.action(Command::SetOpponent)->trigger();  // refused before its chooser opens
    run.action(Command::CancelAllPairings)->trigger();
    QCOMPARE(run.box.ui.warnings(), std::vector<std::string>(3, "変更は禁止されています。"));
    QCOMPARE(run.box.ui.messages.front().caption, std::string("TOQ"));
    QCOMPARE(run.ws().table.opponent[6][0], data::kUnpaired);
  }

  void resultAndHandicapsForTheClickedCell() {
    RunningApp run;
    edit::Workspace& ws = run.ws();
    playFirstGames(ws);
    ws.table.setPair(0, 6, 7);
    run.app->commands()->afterTableChange();
    // The menu entry takes the clicked cell, not the selection.
    run.select({0});
    run.view()->setClickedCell(13, 2);  // second line of row 6, round 1
    auto result = Await::dialog<ui::ResultDialog>([](ui::ResultDialog* d) {
      QCOMPARE(d->windowTitle(), QStringLiteral("青山 大輔 対 桜井 健太"));
      QCOMPARE(d->list()->currentText(), QStringLiteral("取り消し"));
      d->list()->setCurrentIndex(2);
      button(d, "OK")->click();
    });
    run.action(Command::EnterResult)->trigger();
    QVERIFY(result->handled());
    QCOMPARE(ws.table.result[6][0], data::kDraw);
    QCOMPARE(ws.table.result[7][0], data::kDraw);
    QCOMPARE(run.onDisk()->result[7][0], data::kDraw);
    QCOMPARE(run.box.ui.statuses().back(), std::string("結果の未入力は 9組"));

    // The clicked name column or a bye holds no game: nothing opens, nothing changes.
    const std::string saved = run.bytes(run.tai);
    for (auto [line, column] : {std::pair{13, 1}, std::pair{4, 2}, std::pair{-1, -1}}) {
      run.view()->setClickedCell(line, column);
      run.action(Command::EnterResult)->trigger();
    }
    QCOMPARE(run.bytes(run.tai), saved);

    // HandicapResultDialog: a lance handicap; the lower-rated 桜井 receives it and moves first.
    run.view()->setClickedCell(12, 2);
    auto both = Await::dialog<ui::HandicapResultDialog>([](ui::HandicapResultDialog* d) {
      QCOMPARE(d->windowTitle(), QStringLiteral("1回戦 青山 大輔 対 桜井 健太 の手合割・勝敗"));
      QCOMPARE(d->resultList()->currentIndex(), 2);
      d->handicapList()->setCurrentIndex(1);
      d->resultList()->setCurrentIndex(1);
      button(d, "OK")->click();
    });
    run.app->commands()->run(Command::HandicapAndResult);
    QVERIFY(both->handled());
    auto disk = run.onDisk();
    QCOMPARE(disk->handicap[6][0], 1);
    QCOMPARE(disk->handicap[7][0], -1);
    QCOMPARE(disk->side[7][0], data::kSideFirst);
    QCOMPARE(disk->result[6][0], data::kLoss);
    QCOMPARE(disk->result[7][0], data::kWin);

    // HandicapDialog: back to an even game with 後手 for 青山.
    auto handicap = Await::dialog<ui::HandicapDialog>([](ui::HandicapDialog* d) {
      QCOMPARE(d->windowTitle(), QStringLiteral("1回戦 青山 大輔 対 桜井 健太 の手合割"));
      QCOMPARE(d->handicapList()->currentIndex(), 1);
      d->handicapList()->setCurrentIndex(0);
      d->sideList()->setCurrentIndex(2);
      button(d, "OK")->click();
    });
    run.app->commands()->run(Command::Handicap);
    QVERIFY(handicap->handled());
    disk = run.onDisk();
    QCOMPARE(disk->handicap[6][0], 0);
    QCOMPARE(disk->side[6][0], data::kSideSecond);
    QCOMPARE(disk->side[7][0], data::kSideFirst);
    QCOMPARE(disk->result[6][0], data::kLoss);
  }

  void roundCommandsAskAndWrite() {
    RunningApp run;
    edit::Workspace& ws = run.ws();
    playFirstGames(ws);
    run.app->commands()->afterTableChange();

    // Cancel the latest round: No keeps it, Yes clears and writes it.
    run.box.ui.answers = {false};
    run.action(Command::CancelLatestRound)->trigger();
    QCOMPARE(ws.table.opponent[0][0], 1);
    run.box.ui.answers = {true};
    run.action(Command::CancelLatestRound)->trigger();
    QCOMPARE(ws.table.opponent[0][0], data::kUnpaired);
    QCOMPARE(run.onDisk()->opponent[2][0], data::kUnpaired);
    QCOMPARE(run.box.ui.questions(),
             std::vector<std::string>(2, "1回戦の組み合わせを取り消しますか？"));
    QCOMPARE(run.box.ui.statuses().back(), std::string("組み合わせを取り消しました。"));
    run.box.ui.clear();
    run.action(Command::CancelLatestRound)->trigger();
    QCOMPARE(run.box.ui.errors(), std::vector<std::string>{"エラー kaisen=-1"});

    // Cancel all: No keeps, Yes clears every round and the lock flag, and is written.
    playFirstGames(ws);
    ws.table.lockFlag = 0;
    run.box.ui.clear();
    run.box.ui.answers = {false, true};
    run.action(Command::CancelAllPairings)->trigger();
    QCOMPARE(ws.table.opponent[0][0], 1);
    run.action(Command::CancelAllPairings)->trigger();
    QCOMPARE(ws.table.opponent[0][0], data::kUnpaired);
    QCOMPARE(run.onDisk()->opponent[2][0], data::kUnpaired);
    QCOMPARE(run.box.ui.questions(),
             std::vector<std::string>(2, "全ての組み合わせを取り消しますか？"));
    const std::vector<std::string> statuses = run.box.ui.statuses();
    QCOMPARE(statuses.back(), std::string("組み合わせを取り消しました。"));
    QCOMPARE(std::count(statuses.begin(), statuses.end(), statuses.back()), 1);  // said once

    // Random results: No keeps, Yes enters a result for every game of the round.
    playFirstGames(ws);
    ws.table.setPair(0, 3, 4);
    run.box.ui.clear();
    run.box.ui.answers = {false};
    run.action(Command::RandomResults)->trigger();
    QCOMPARE(ws.table.result[3][0], data::kResultNone);
    run.action(Command::RandomResults)->trigger();
    QCOMPARE(ws.table.result[3][0] + ws.table.result[4][0], data::kWin + data::kLoss);
    QCOMPARE(run.onDisk()->result[4][0], ws.table.result[4][0]);
    QCOMPARE(run.box.ui.questions(),
             std::vector<std::string>(2, "1回戦の結果を自動入力しますか？"));
  }

  void numberOfGamesThroughItsDialog() {
    RunningApp run;
    edit::Workspace& ws = run.ws();
    auto grow = Await::dialog<ui::NumberOfGamesDialog>([](ui::NumberOfGamesDialog* d) {
      QCOMPARE(d->box()->value(), 5);
      d->box()->selectAll();
      QTest::keyClicks(d->box(), "20");
      button(d, "OK")->click();
    });
    run.action(Command::ChangeNumberOfGames)->trigger();
    QVERIFY(grow->handled());
    QCOMPARE(ws.table.numberOfGames, 20);
    QCOMPARE(run.onDisk()->numberOfGames, 20);
    QCOMPARE(run.view()->model()->columnCount(), 25);

    // Fewer games than the paired rounds are refused; nothing changes.
    for (int r = 0; r < 3; ++r) ws.table.setPair(r, 0, 1);
    auto shrink = Await::dialog<ui::NumberOfGamesDialog>([](ui::NumberOfGamesDialog* d) {
      d->box()->selectAll();
      QTest::keyClicks(d->box(), "2");
      button(d, "OK")->click();
    });
    run.box.ui.clear();
    run.action(Command::ChangeNumberOfGames)->trigger();
    QCOMPARE(run.box.ui.errors(), std::vector<std::string>{"組み合わせがあります。"});
    QCOMPARE(ws.table.numberOfGames, 20);
    auto cancel = Await::dialog<ui::NumberOfGamesDialog>(
        [](ui::NumberOfGamesDialog* d) { button(d, "キャンセル")->click(); });
    run.action(Command::ChangeNumberOfGames)->trigger();
    QVERIFY(cancel->handled());
    QCOMPARE(run.onDisk()->numberOfGames, 20);
  }

  void participantsAreAddedRemovedAndWritten() {
    RunningApp run;
    edit::Workspace& ws = run.ws();
    const int rows = ws.table.rows();
    // Nobody is left to add: the sample's players are all in the table, and it says so
    // instead of showing an empty chooser.
    run.box.ui.clear();
    run.action(Command::AddParticipant)->trigger();
    QCOMPARE(ws.table.rows(), rows);
    QCOMPARE(run.box.ui.texts(services::RecordedMessage::Kind::Information).size(), std::size_t{1});

    // Removing row 6: No keeps it; Yes removes it and writes the table.
    run.select({12});
    run.box.ui.answers = {false, true};
    run.action(Command::RemoveParticipant)->trigger();
    QCOMPARE(ws.table.rows(), rows);
    run.action(Command::RemoveParticipant)->trigger();
    QCOMPARE(ws.table.rows(), rows - 1);
    QCOMPARE(run.onDisk()->participantCount, rows - 1);
    QCOMPARE(run.box.ui.questions(),
             std::vector<std::string>(2, "選択対局者 青山 大輔 を削除しますか？"));

    // He comes back through the chooser, as the last row.
    auto add = Await::dialog<ui::AddParticipantDialog>([](ui::AddParticipantDialog* d) {
      QCOMPARE(d->list()->count(), 1);
      QCOMPARE(d->list()->item(0)->text(), QStringLiteral("青山 大輔"));
      d->list()->item(0)->setSelected(true);
      button(d, "OK")->click();
    });
    run.action(Command::AddParticipant)->trigger();
    QVERIFY(add->handled());
    QCOMPARE(run.onDisk()->participants[rows - 1], 4);

    // With pairings the question warns in two lines.
    playFirstGames(ws);
    run.select({0});
    run.box.ui.clear();
    run.box.ui.answers = {false};
    run.action(Command::RemoveParticipant)->trigger();
    QCOMPARE(
        run.box.ui.questions(),
        std::vector<std::string>{"対戦データがありますが、選択対局者 北村 勇気八段 を削除しますか？"
                                 "\r\n勝敗は異常になります。"});
  }

  void byesAreExchangedOnlyBetweenTwoParticipants() {
    RunningApp run;
    edit::Workspace& ws = run.ws();
    ws.table.opponent[8][0] = data::kBye;
    run.select({16, 18});
    run.action(Command::ExchangeByes)->trigger();
    QCOMPARE(ws.table.opponent[8][0], data::kUnpaired);
    QCOMPARE(ws.table.opponent[9][0], data::kBye);
    QCOMPARE(run.onDisk()->opponent[9][0], data::kBye);
    // Both lines of one participant.
    run.select({18, 19});
    run.box.ui.clear();
    run.action(Command::ExchangeByes)->trigger();
    QCOMPARE(run.box.ui.errors(), std::vector<std::string>{"抜け番を入れ替えることができません。"});
    QCOMPARE(ws.table.opponent[9][0], data::kBye);
  }

  void playersAreRegisteredEditedAndDeleted() {
    RunningApp run;
    edit::Workspace& ws = run.ws();
    const auto ply = ws.playerFile;
    const int count = ws.players.count();
    run.view()->setTableMode(false);
    auto fresh = Await::dialog<ui::PlayerDialog>([](ui::PlayerDialog* d) {
      QCOMPARE(d->windowTitle(), QStringLiteral("参加者の新規登録"));
      d->nameEdit()->setText("新人 太郎");
      d->ratingEdit()->setText("1450");
      button(d, "OK")->click();
    });
    run.action(Command::RegisterPlayer)->trigger();
    QVERIFY(fresh->handled());
    QCOMPARE(ws.players.count(), count + 1);
    QCOMPARE(run.view()->model()->rowCount(), count + 1);
    data::Register disk;
    QCOMPARE(data::LoadPlayerFile(disk, ply), 0);
    QCOMPARE(disk.at(count + 1).rating, 1450);

    // Editing the new player (the last line) to a taken name is refused.
    run.select({count});
    auto taken = Await::dialog<ui::PlayerDialog>([](ui::PlayerDialog* d) {
      QCOMPARE(d->windowTitle(), QStringLiteral("棋士データの編集"));
      QCOMPARE(d->nameEdit()->text(), QStringLiteral("新人 太郎"));
      d->nameEdit()->setText("青山大輔");
      button(d, "OK")->click();
    });
    run.box.ui.clear();
    run.action(Command::EditPlayer)->trigger();
    QVERIFY(taken->handled());
    QCOMPARE(run.box.ui.errors(), std::vector<std::string>{"同名の登録があります。"});
    QCOMPARE(text::toUtf8(ws.players.at(count + 1).name), std::string("新人 太郎"));

    // Deleting three lines asks last first; a participant's record is refused at once.
    run.select({count - 1, count});
    run.box.ui.clear();
    run.action(Command::DeletePlayers)->trigger();
    QCOMPARE(run.box.ui.errors().size(), std::size_t{1});
    QVERIFY(run.box.ui.questions().empty());
    QCOMPARE(ws.players.count(), count + 1);
    run.select({count});
    run.box.ui.clear();
    run.box.ui.answers = {false, true};
    run.action(Command::DeletePlayers)->trigger();
    QCOMPARE(ws.players.count(), count + 1);
    run.action(Command::DeletePlayers)->trigger();
    QCOMPARE(ws.players.count(), count);
    QCOMPARE(run.box.ui.questions(),
             std::vector<std::string>(2, "対局者(新人 太郎)のデータを削除しますか？"));
    QCOMPARE(data::LoadPlayerFile(disk, ply), 0);
    QCOMPARE(disk.count(), count);
    QCOMPARE(run.view()->model()->rowCount(), count);

    // In table mode the row's player is edited, and the table shows the new name.
    run.view()->setTableMode(true);
    run.select({12});
    auto rename = Await::dialog<ui::PlayerDialog>([](ui::PlayerDialog* d) {
      QCOMPARE(d->nameEdit()->text(), QStringLiteral("青山 大輔"));
      d->nameEdit()->setText("青山 大介");
      button(d, "OK")->click();
    });
    run.app->commands()->run(Command::EditRowPlayer);
    QVERIFY(rename->handled());
    QCOMPARE(
        run.view()->model()->data(run.view()->model()->index(12, 1), Qt::DisplayRole).toString(),
        QStringLiteral("青山 大介"));
  }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
