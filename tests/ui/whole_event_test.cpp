// A small event run entirely through the window's actions and dialogs: a name list imported,
// byes set, rounds paired, every result entered in the result dialog, an opponent set by hand
// and its handicap game entered in HandicapResultDialog, the number of games changed, a round
// cancelled and paired again, the four reports and the CSV chart. The same event is then run
// through toq-cli, and the files of both must agree.
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include "support/builders.h"
#include "ui/commands.h"
#include "ui/dialogs/handicap_result_dialog.h"
#include "ui/dialogs/number_of_games_dialog.h"
#include "ui/dialogs/opponent_dialog.h"
#include "ui/dialogs/result_dialog.h"
#include "ui/main_view.h"
#include "ui/qt_text.h"
#include "ui/support/await_dialog.h"
#include "ui/support/cli_replay.h"
#include "ui/support/running_app.h"

using namespace toq;
using testing::Await;
using testing::button;
using testing::RunningApp;
using testing::withoutPathLine;
using view::Command;

namespace {

// The result entered for row k in round r (k the game's first row): mostly alternating wins
// and losses, with a draw now and then.
int resultPosition(int k, int r) {
  return (k + r) % 4 == 3 ? 2 : (k + r) % 2;
}
const char* const kResultWords[] = {"win", "loss", "draw"};

// The event in the window, with the toq-cli calls that do the same.
class Event {
 public:
  explicit Event(RunningApp& run) : run_(run) {}

  QStringList cli;  // one call per line, arguments separated by tabs

  void importList(const QString& list) {
    auto dialog = Await::dialog<QFileDialog>([&](QFileDialog* d) {
      d->selectFile(list);
      static_cast<QDialog*>(d)->accept();
    });
    run_.action(Command::ImportNameList)->trigger();
    QVERIFY(dialog->handled());
    call({"import", QFileInfo(list).fileName()});
  }

  void bye(int row) {
    run_.select({2 * row});
    run_.action(Command::SetBye)->trigger();
    call({"bye", "cup.tai", QString::number(row + 1)});
  }

  void pair() {
    QVERIFY(run_.view()->pairingButton()->isEnabled());
    const int round = run_.ws().table.FirstUnpairedRound();
    run_.view()->pairingButton()->click();
    QCOMPARE(run_.ws().table.FirstUnpairedRound(), round + 1);
    call({"pair", "cup.tai"});
  }

  void result(int k, int r, int position) {
    run_.select({2 * k});
    run_.view()->setClickedCell(2 * k + 1, r + 2);
    auto dialog = Await::dialog<ui::ResultDialog>([&](ui::ResultDialog* d) {
      d->list()->setCurrentIndex(position);
      button(d, "OK")->click();
    });
    run_.action(Command::EnterResult)->trigger();
    QVERIFY(dialog->handled());
    call({"result", "cup.tai", QString::number(r + 1), QString::number(k + 1),
          kResultWords[position]});
  }

  // Every game of the round without a result gets one.
  void allResults(int r) {
    const data::Table& t = run_.ws().table;
    for (int k = 0; k < t.rows(); ++k) {
      const int o = t.opponentRow(k, r);
      if (o > k && t.result[k][r] == data::kResultNone) result(k, r, resultPosition(k, r));
    }
    QCOMPARE(t.OpenGames(r), 0);
  }

  // The first opponent the chooser offers; answers its player number.
  int opponentByHand(int row) {
    int number = 0;
    run_.select({2 * row});
    auto dialog = Await::dialog<ui::OpponentDialog>([&](ui::OpponentDialog* d) {
      d->list()->setCurrentIndex(0);
      number = d->list()->currentData().toInt();
      button(d, "OK")->click();
    });
    run_.action(Command::SetOpponent)->trigger();
    call({"opponent", "cup.tai", QString::number(row + 1), QString::number(number)});
    return number;
  }

  // Handicap, sides and result from the context menu's HandicapResultDialog.
  void handicapGame(int row, int r, int handicap, int position) {
    run_.select({2 * row});
    auto dialog = Await::dialog<ui::HandicapResultDialog>([&](ui::HandicapResultDialog* d) {
      d->handicapList()->setCurrentIndex(handicap);
      d->resultList()->setCurrentIndex(position);
      button(d, "OK")->click();
    });
    auto menu = Await::popup([](QMenu* m) {
      QVERIFY(testing::chooseEntry(m, QStringLiteral("手合割・先後・勝敗の入力・変更(&H)...")));
    });
    run_.rightClick(2 * row, r + 2);
    QVERIFY(menu->handled());
    QVERIFY(dialog->handled());
    call({"handicap", "cup.tai", QString::number(r + 1), QString::number(row + 1),
          QString::number(handicap), "0", QString::number(position)});
  }

  void games(int n) {
    auto dialog = Await::dialog<ui::NumberOfGamesDialog>([&](ui::NumberOfGamesDialog* d) {
      d->box()->selectAll();
      QTest::keyClicks(d->box(), QString::number(n));
      button(d, "OK")->click();
    });
    run_.action(Command::ChangeNumberOfGames)->trigger();
    QVERIFY(dialog->handled());
    call({"games", "cup.tai", QString::number(n)});
  }

  void cancelLatestRound() {
    run_.box.ui.answers = {true};
    run_.action(Command::CancelLatestRound)->trigger();
    call({"cancel-round", "cup.tai"});
  }

  void csv(const QString& file) {
    auto dialog = Await::dialog<QFileDialog>([&](QFileDialog* d) {
      d->selectFile(file);
      static_cast<QDialog*>(d)->accept();
    });
    run_.action(Command::SaveCsv)->trigger();
    QVERIFY(dialog->handled());
    call({"csv", "cup.tai", QFileInfo(file).fileName()});
  }

 private:
  void call(const QStringList& args) { cli << args.join('\t'); }
  RunningApp& run_;
};

}  // namespace

class WholeEventTest : public QObject {
  Q_OBJECT

 private slots:
  void theWindowAndTheCommandLineKeepTheSameEvent() {
    RunningApp run(false);
    QDir dir(run.box.dir.path());
    dir.mkdir("window");
    dir.mkdir("cli");
    const QString list = dir.filePath("window/cup.txt");
    QVERIFY(QFile::copy(QStringLiteral(TOQ_SOURCE_DIR "/resources/sample-names.txt"), list));
    QVERIFY(QFile::copy(list, dir.filePath("cli/cup.txt")));
    const data::Table& t = run.ws().table;
    Event event(run);

    event.importList(list);
    QCOMPARE(t.rows(), 23);
    QVERIFY(run.view()->pairingButton()->isEnabled());  // odd: it asks for the bye
    event.bye(22);
    event.pair();
    event.allResults(0);

    // Round 2: 青山 (row 6) paired by hand, his game played at lance odds and won.
    const int opponent = event.opponentByHand(6);
    QVERIFY(opponent > 0);
    const int o = t.opponentRow(6, 1);
    QVERIFY(o >= 0);
    event.handicapGame(6, 1, 1, 0);
    QCOMPARE(std::abs(t.handicap[6][1]), 1);
    QCOMPARE(t.result[6][1], data::kWin);
    QCOMPARE(t.result[o][1], data::kLoss);
    event.bye(21);
    event.pair();
    QCOMPARE(t.opponentRow(6, 1), o);  // the game set by hand stands
    event.allResults(1);

    // Six games; round 3 paired, cancelled, and paired again after another bye.
    event.games(6);
    QCOMPARE(t.numberOfGames, 6);
    event.bye(20);
    event.pair();
    event.cancelLatestRound();
    QCOMPARE(t.FirstUnpairedRound(), 2);
    event.bye(19);
    event.pair();
    event.allResults(2);

    // The reports land beside the table; the CSV where it is asked to go.
    run.box.ui.clear();
    for (Command c : {Command::ShowRoundList, Command::ShowResults, Command::ShowStandings,
                      Command::ShowRatingData})
      run.action(c)->trigger();
    const auto shown = run.box.ui.texts(services::RecordedMessage::Kind::Viewer);
    QCOMPARE(shown.size(), std::size_t{4});
    for (const std::string& file : shown) {
      QVERIFY(QFile::exists(QString::fromStdString(file)));
      QCOMPARE(QFileInfo(QString::fromStdString(file)).absolutePath(), dir.filePath("window"));
    }
    event.csv(dir.filePath("window/chart.csv"));
    QVERIFY(run.box.ui.errors().empty());

    // The same event through toq-cli.
    const QString replayed = testing::replayWithCli(event.cli, dir.filePath("cli"));
    QVERIFY2(replayed.isEmpty(), qPrintable(replayed));
    auto bytes = [&](const QString& name) {
      return testing::readFile(ui::toPath(dir.filePath(name)));
    };
    QCOMPARE(withoutPathLine(bytes("window/cup.tai")), withoutPathLine(bytes("cli/cup.tai")));
    QCOMPARE(bytes("window/cup.ply"), bytes("cli/cup.ply"));
    // The CSV's first line names the event after its table file, whether the window imported
    // the list (its title is only the placeholder "test") or a command-line run read the file.
    QCOMPARE(bytes("window/chart.csv"), bytes("cli/chart.csv"));
    QVERIFY(bytes("window/chart.csv").starts_with("cup,,,,\r\n"));
  }
};

QTEST_MAIN(WholeEventTest)
#include "whole_event_test.moc"
