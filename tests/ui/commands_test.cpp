// Every command of the menus through its action on the running program: the menus themselves,
// the enabling rules in both modes with 0, 1 and 2 selected lines, both answers of every
// question, the dialogs each command opens, and what each command writes.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

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

using namespace toq;
using testing::Await;
using testing::button;
using testing::RunningApp;
using view::Command;

namespace {

int indexOf(const QComboBox* list, const QString& text) {
  return list->findText(text);
}

QStringList menuTexts(QMenu* menu) {
  return testing::entryTexts(menu);
}

QMenu* menuNamed(ui::MainWindow* w, const QString& title) {
  for (QAction* a : w->menuBar()->actions())
    if (a->text() == title) return a->menu();
  return nullptr;
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
  void menusHoldTheCommandsInOrderWithTheirShortcuts() {
    RunningApp run;
    ui::MainWindow* w = run.window();
    QStringList titles;
    for (QAction* a : w->menuBar()->actions()) titles << a->text();
    QCOMPARE(titles, (QStringList{"ファイル(&F)", "編集(&E)", "表示(&V)", "対戦表(&T)",
                                  "対局者データ(&K)", "ヘルプ(&H)"}));
    QCOMPARE(menuTexts(menuNamed(w, "編集(&E)")), (QStringList{"設定(&S)...", "印刷設定(&P)..."}));
    QCOMPARE(
        menuTexts(menuNamed(w, "表示(&V)")),
        (QStringList{"最終組み合わせの表示(&P)", "結果の表示(&R)", "成績表示(&E)",
                     "レーティングデータ(&A)", "-", "ツール バー(&T)", "ステータス バー(&S)", "-",
                     "表のフォント(&F)...", "-", "抽選条件の表示(&K)", "抽選結果の分析(&A)"}));
    QCOMPARE(menuTexts(menuNamed(w, "対戦表(&T)")),
             (QStringList{
                 "新規対戦表(&N)", "参加者を対戦表に追加(A)...", "参加者を対戦表から削除(&S)",
                 "最後の回の組み合わせの取り消し(&L)", "全ての組み合わせの取り消し(&T)",
                 "試合数の変更(&C)...", "抜け番の入れ替え(&N)", "-", "対戦相手を入力する(&O)...",
                 "抜け番とする(&Y)", "対戦相手の取り消し(&Z)", "勝敗の入力・取り消し(&W)...", "-",
                 "テスト：結果の自動入力(&R)", "テスト：繰り返し組み合わせ(&T)"}));
    QCOMPARE(menuTexts(menuNamed(w, "対局者データ(&K)")),
             (QStringList{"参加者の新規登録(&N)...", "選択した対局者データの編集(&E)...",
                          "選択した対局者データの削除(&D)..."}));
    QCOMPARE(menuTexts(menuNamed(w, "ヘルプ(&H)")),
             (QStringList{"使い方(&M)", "バージョン情報(&A)..."}));
    // The file menu in its order (the entries beyond the original design may stand between).
    const QStringList file = menuTexts(menuNamed(w, "ファイル(&F)"));
    int at = -1;
    for (const char* entry :
         {"対戦ファイルを開く(O)...", "対局者ファイルを開く(&R)...", "対戦表の保存(&A)...",
          "レーティングデータの作成", "CSVファイルの保存(&C)...", "印刷形式２(&T)", "印刷(&P)...",
          "印刷プレビュー(&V)", "プリンタの設定(&R)...", "-", "終了(&X)"}) {
      const int next = file.indexOf(QString::fromUtf8(entry), at + 1);
      QVERIFY2(next > at, entry);
      at = next;
    }
    QCOMPARE(run.action(Command::Print)->shortcut(), QKeySequence("Ctrl+P"));
    QCOMPARE(run.action(Command::PrintPreview)->shortcut(), QKeySequence("Ctrl+U"));
    QCOMPARE(w->actions()->newDocument()->shortcut(), QKeySequence("Ctrl+N"));
    QCOMPARE(w->actions()->openDocument()->shortcut(), QKeySequence("Ctrl+O"));
    QCOMPARE(w->actions()->saveDocument()->shortcut(), QKeySequence("Ctrl+S"));
  }

  void entriesAreGreyedByTheRulesInBothModes() {
    RunningApp run;
    enum Rule {
      Always,
      Never,
      Lottery,
      Table,
      TableSome,
      TableOne,
      TableTwoNoGames,
      Players,
      PlayersSome
    };
    const std::pair<Command, Rule> rules[] = {
        {Command::OpenTable, Always},
        {Command::ImportNameList, Always},
        {Command::SaveTableAs, Always},
        {Command::MakeRatingData, Never},
        {Command::SaveCsv, Always},
        {Command::PrintFormat2, Always},
        {Command::Settings, Always},
        {Command::PrintSettings, Never},
        {Command::ShowRoundList, Always},
        {Command::ShowResults, Always},
        {Command::ShowStandings, Always},
        {Command::ShowRatingData, Always},
        {Command::TableFont, Always},
        {Command::ShowLotteryConditions, Lottery},
        {Command::AnalyseLottery, Lottery},
        {Command::NewTable, Never},
        {Command::AddParticipant, Table},
        {Command::RemoveParticipant, TableSome},
        {Command::CancelLatestRound, Table},
        {Command::CancelAllPairings, Table},
        {Command::ChangeNumberOfGames, Always},
        {Command::ExchangeByes, TableTwoNoGames},
        {Command::SetOpponent, TableOne},
        {Command::SetBye, TableSome},
        {Command::CancelPairing, TableOne},
        {Command::EnterResult, TableSome},
        {Command::RandomResults, Always},
        {Command::RepeatedTest, Table},
        {Command::RegisterPlayer, Players},
        {Command::EditPlayer, PlayersSome},
        {Command::DeletePlayers, PlayersSome},
        {Command::Manual, Always},
        {Command::About, Always},
    };
    auto expected = [&](Rule rule, bool table, int n, bool games) {
      switch (rule) {
        case Always:
          return true;
        case Never:
          return false;
        case Lottery:
          return table && run.ws().table.tableClass >= 4 && run.ws().table.tableClass != 6;
        case Table:
          return table;
        case TableSome:
          return table && n > 0;
        case TableOne:
          return table && n == 1;
        case TableTwoNoGames:
          return table && n == 2 && !games;
        case Players:
          return !table;
        case PlayersSome:
          return !table && n > 0;
      }
      return false;
    };
    auto check = [&](bool table, bool games) {
      for (int n : {0, 1, 2}) {
        if (n == 0) run.select({});
        if (n == 1) run.select({4});
        if (n == 2) run.select({4, 9});
        for (const auto& [command, rule] : rules)
          QVERIFY2(run.action(command)->isEnabled() == expected(rule, table, n, games),
                   qPrintable(QStringLiteral("command %1, %2 mode, %3 lines")
                                  .arg(static_cast<int>(command))
                                  .arg(table ? "table" : "player")
                                  .arg(n)));
      }
    };
    check(true, false);
    run.view()->setTableMode(false);
    check(false, false);
    run.view()->setTableMode(true);
    // A game entered greys the exchange of byes at once, without a menu being opened.
    run.select({0});
    run.ws().deriveHandicaps = false;
    auto chooser = Await::dialog<ui::OpponentDialog>([](ui::OpponentDialog* d) {
      d->list()->setCurrentIndex(0);
      button(d, "OK")->click();
    });
    run.action(Command::SetOpponent)->trigger();
    QVERIFY(chooser->handled());
    check(true, true);
    // The table class opens the two lottery entries (which still do nothing).
    run.ws().table.tableClass = 4;
    run.app->commands()->afterTableChange();
    QVERIFY(run.action(Command::ShowLotteryConditions)->isEnabled());
    const auto before = run.bytes(run.tai);
    run.action(Command::ShowLotteryConditions)->trigger();
    run.action(Command::AnalyseLottery)->trigger();
    QCOMPARE(run.bytes(run.tai), before);
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
    QCOMPARE(run.box.ui.statuses().back(), std::string("組み合わせを取り消しました。"));

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
    // Nobody is left to add: the sample's players are all in the table.
    auto empty = Await::dialog<ui::AddParticipantDialog>([](ui::AddParticipantDialog* d) {
      QCOMPARE(d->list()->count(), 0);
      button(d, "OK")->click();
    });
    run.action(Command::AddParticipant)->trigger();
    QVERIFY(empty->handled());
    QCOMPARE(ws.table.rows(), rows);

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
      QCOMPARE(d->list()->itemText(0), QStringLiteral("青山 大輔"));
      d->list()->setCurrentIndex(0);
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
