// Many hands on one event: the window's own commands and results from the venue's network (and
// files written by other programs) pass one at a time; undo takes back the latest step only,
// whoever made it; every change is told once, after its answer, to its own section's pages
// only; player mode follows an outside change of the register; every way to open another
// document asks about unsaved changes first.
#include <QComboBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>
#include <future>
#include <nlohmann/json.hpp>

#include "data/player_file.h"
#include "edit/command_door.h"
#include "edit/file_freshness.h"
#include "edit/players.h"
#include "server/http_client.h"
#include "support/recording_services.h"
#include "text/cp932.h"
#include "ui/commands.h"
#include "ui/dialogs/result_dialog.h"
#include "ui/dialogs/venue_dialog.h"
#include "ui/event_file.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/support/await_dialog.h"
#include "ui/support/running_app.h"
#include "ui/support/serving.h"
#include "ui/table_model.h"

using namespace toq;
using testing::Await;
using testing::RunningApp;
using testing::whileServing;
using view::Command;

namespace {

testing::HttpAnswer ask(unsigned short port, const std::string& method, const std::string& path,
                        const std::string& key = {}, const std::string& body = {}) {
  std::vector<std::string> headers;
  if (!key.empty()) headers = {"Authorization: Bearer " + key, "Content-Type: application/json"};
  const std::string bytes = testing::requestBytes(method, path, headers, body);
  return whileServing(
      [port, bytes] { return testing::sendRequest(port, bytes, std::chrono::seconds(5)); });
}

unsigned long long versionAt(unsigned short port, const std::string& path) {
  const testing::HttpAnswer a = ask(port, "GET", path);
  const nlohmann::json j = nlohmann::json::parse(a.body, nullptr, false);
  return j.is_object() ? j["version"].get<unsigned long long>() : 0;
}

std::string resultBody(int round, int row, const char* result) {
  return "{\"round\":" + std::to_string(round) + ",\"row\":" + std::to_string(row) +
         ",\"result\":\"" + result + "\"}";
}

// The sample event served on loopback with round 1 paired (its odd field's last participant
// sits out): the dialog, ready for requests.
void pairRoundOne(RunningApp& run) {
  run.select({2 * (run.ws().table.rows() - 1)});
  run.action(Command::SetBye)->trigger();
  run.box.ui.answers = {true};
  run.app->commands()->run(Command::Pair);
}

ui::VenueDialog* serveRoundOne(RunningApp& run) {
  pairRoundOne(run);
  run.action(Command::Venue)->trigger();
  auto* d = run.window()->findChild<ui::VenueDialog*>();
  d->portBox()->setValue(0);
  d->startButton()->click();
  return d;
}

// The opponent of a row in round 1 (0-based rows).
int opponentOf(RunningApp& run, int row) {
  return run.ws().table.opponent[row][0];
}

}  // namespace

class OnePassTest : public QObject {
  Q_OBJECT

 private slots:
  void aPhonesResultIsNotTakenBackByTheOrganisersUndo() {
    RunningApp run;
    ui::VenueDialog* d = serveRoundOne(run);
    const unsigned short port = d->server().port();
    const std::string key = d->server().key();
    // The organiser opens the result dialog of row 0's game; while it is open, a phone enters
    // the result of another board, and is answered at once.
    const int phoneRow = opponentOf(run, 0) == 2 ? 4 : 2;
    int phoneStatus = 0;
    auto dialog = Await::dialog<ui::ResultDialog>([&](ui::ResultDialog* r) {
      phoneStatus =
          ask(port, "POST", "/api/results", key, resultBody(1, phoneRow + 1, "win")).status;
      r->list()->setCurrentIndex(0);  // 勝ち
      testing::button(r, QStringLiteral("OK"))->click();
    });
    run.view()->setClickedCell(0, 2);
    run.action(Command::EnterResult)->trigger();
    QVERIFY(dialog->handled());
    QCOMPARE(phoneStatus, 200);
    QCOMPARE(run.onDisk()->result[0][0], data::kWin);
    QCOMPARE(run.onDisk()->result[phoneRow][0], data::kWin);

    // One undo takes back the organiser's result only; the next one offered is the phone's.
    run.action(Command::Undo)->trigger();
    QCOMPARE(run.onDisk()->result[0][0], data::kResultNone);
    QCOMPARE(run.onDisk()->result[phoneRow][0], data::kWin);
    QVERIFY(run.action(Command::Undo)->text().contains(QStringLiteral("会場から")));
    d->startButton()->click();
  }

  void everyChangeIsToldOnceAfterItsAnswer() {
    RunningApp run;
    ui::VenueDialog* d = serveRoundOne(run);
    const unsigned short port = d->server().port();
    const unsigned long long start = versionAt(port, "/api/event");
    const std::unique_ptr<testing::EventStream> stream =
        whileServing([port] { return std::make_unique<testing::EventStream>(port); });
    // A result from a phone and one from the window: one new version each.
    QCOMPARE(ask(port, "POST", "/api/results", d->server().key(), resultBody(1, 1, "draw")).status,
             200);
    QCOMPARE(versionAt(port, "/api/event"), start + 1);
    run.view()->setClickedCell(2 * opponentOf(run, 2) + 1, 2);
    run.box.ui.answers = {true};
    run.app->commands()->resultKey(2, 0, data::kLoss);
    QCOMPARE(versionAt(port, "/api/event"), start + 2);
    const std::vector<unsigned long long> heard =
        whileServing([&stream] { return stream->versions(3, std::chrono::seconds(5)); });
    QCOMPARE(heard, (std::vector<unsigned long long>{start, start + 1, start + 2}));
    d->startButton()->click();
  }

  void aSecondSectionsChangeStaysInItsSection() {
    RunningApp run;
    ui::VenueDialog* d = serveRoundOne(run);
    d->startButton()->click();  // stopped, to add a second section: a copy of the paired table
    QTemporaryDir other;
    const std::filesystem::path second =
        std::filesystem::path(other.path().toStdString()) / "section2.tai";
    std::filesystem::copy_file(run.tai, second);
    std::filesystem::copy_file(std::filesystem::path(run.tai).replace_extension(".ply"),
                               std::filesystem::path(second).replace_extension(".ply"));
    d->setOtherTables({QString::fromStdString(second.string())});
    d->startButton()->click();
    QVERIFY(d->serving());
    const unsigned short port = d->server().port();
    const unsigned long long first = versionAt(port, "/t/1/api/event");
    const unsigned long long secondBefore = versionAt(port, "/t/2/api/event");
    const std::string bytes = run.bytes(run.tai);
    run.box.ui.clear();
    QCOMPARE(
        ask(port, "POST", "/t/2/api/results", d->server().key(), resultBody(1, 1, "win")).status,
        200);
    QCOMPARE(versionAt(port, "/t/2/api/event"), secondBefore + 1);
    QCOMPARE(versionAt(port, "/t/1/api/event"), first);
    QCOMPARE(run.bytes(run.tai), bytes);
    QVERIFY(run.box.ui.statuses().empty());
    d->startButton()->click();
  }

  void playerModeFollowsAnOutsideChangeOfTheRegister() {
    RunningApp run;
    ui::VenueDialog* d = serveRoundOne(run);
    run.view()->setTableMode(false);
    ui::TableModel* model = run.view()->model();
    const int rows = model->rowCount();
    // Another program registers a player in the player file.
    edit::Workspace outside;
    services::RecordingServices quiet;
    QCOMPARE(edit::openTable(outside, quiet, run.tai), 0);
    edit::PlayerForm form = edit::newPlayerForm();
    form.name = "新人 太郎";
    QCOMPARE(edit::registerPlayer(outside, quiet, form).code, 0);
    QTRY_COMPARE_WITH_TIMEOUT(model->rowCount(), rows + 1, 5000);
    d->startButton()->click();
  }

  void everyOpenOfAnotherDocumentAsksAboutUnsavedChanges() {
    RunningApp run;
    const QString path = QString::fromStdString(run.tai.string());
    // A change that no file has received (a failed save).
    run.ws().tableUnsaved = true;
    for (const auto& open : std::vector<std::function<void()>>{
             [&] { emit run.window()->recentFileChosen(path); },
             [&] { run.app->commands()->openFile(path); },
         }) {
      run.box.ui.clear();
      run.box.ui.threeWayAnswers = {services::Services::Answer::Cancel};
      open();
      QCOMPARE(run.box.ui.questions(), std::vector<std::string>{ui::kUnsavedAtExit});
      QVERIFY(run.ws().tableUnsaved);  // キャンセル: nothing replaced, nothing dropped
    }
  }

  void noBoxOpensInsideAPass() {
    // Each command asks (Yes) or refuses before its pass, or shows its box after it; what it
    // changes is on disk.
    using Kind = services::RecordedMessage::Kind;
    struct Case {
      const char* what;
      std::function<void(RunningApp&)> prepare;
      Command command;
      std::function<bool(RunningApp&, int rowsBefore)> done;
    };
    auto playersOnDisk = [](RunningApp& run) {
      data::Register disk;
      return data::LoadPlayerFile(disk, run.ws().playerFile) == 0 ? disk.count() : -1;
    };
    const std::vector<Case> cases = {
        {"cancel a row's pairing", [](RunningApp& run) { run.select({0}); }, Command::CancelPairing,
         [](RunningApp& run, int) { return run.onDisk()->opponent[0][0] == data::kUnpaired; }},
        {"remove a participant", [](RunningApp& run) { run.select({0}); },
         Command::RemoveParticipant,
         [](RunningApp& run, int rowsBefore) {
           return run.onDisk()->participantCount == rowsBefore - 1;
         }},
        {"delete two players",
         [](RunningApp& run) {
           for (const char* name : {"新人 一郎", "新人 二郎"}) {
             edit::PlayerForm form = edit::newPlayerForm();
             form.name = name;
             QCOMPARE(edit::registerPlayer(run.ws(), run.box.ui, form).code, 0);
           }
           run.view()->setTableMode(false);
           const int count = run.ws().players.count();
           run.select({count - 2, count - 1});
         },
         Command::DeletePlayers,
         [playersOnDisk](RunningApp& run, int) {
           const data::Register& players = run.ws().players;
           return run.box.ui.questions().size() == 2 && playersOnDisk(run) == players.count() &&
                  text::toUtf8(players.at(players.count()).name).rfind("新人", 0) != 0;
         }},
        // (A round left odd by byes set by hand now asks for its bye in the bye dialog.)
        {"pair a round whose previous round lacks results", [](RunningApp&) {}, Command::Pair,
         [](RunningApp& run, int) { return run.box.ui.errors().size() == 1; }},
        // Refused inside its pass: the box comes after it.
        {"exchange the byes of two rows in games",
         [](RunningApp& run) {
           run.select({0, 2});
         },
         Command::ExchangeByes,
         [](RunningApp& run, int) { return run.box.ui.errors().size() == 1; }},
    };
    for (const Case& c : cases) {
      RunningApp run;
      pairRoundOne(run);
      c.prepare(run);
      const int rowsBefore = run.ws().table.rows();
      run.box.ui.clear();
      run.box.ui.answers.clear();
      int inPass = 0;
      int boxes = 0;
      run.box.ui.onMessage = [&run, &inPass, &boxes](const services::RecordedMessage& m) {
        if (m.kind == Kind::Status || m.kind == Kind::QuestionSound || m.kind == Kind::DefaultSound)
          return;
        ++boxes;
        if (edit::passOpen(run.ws())) ++inPass;
      };
      run.app->commands()->run(c.command);
      run.box.ui.onMessage = nullptr;
      QVERIFY2(boxes > 0, c.what);
      QVERIFY2(c.done(run, rowsBefore), c.what);
      QVERIFY2(inPass == 0, c.what);
    }
  }

  void everyCommandThatChangesDataNamesItsStep() {
    for (const ui::Commands::Handler& h : ui::Commands::handlers()) {
      if (!h.changes() || h.command == Command::Undo || h.command == Command::Redo) continue;
      QVERIFY2(h.step.recorded() || h.step.opensDocument,
               qPrintable(QStringLiteral("command %1").arg(static_cast<int>(h.command))));
    }
  }
};

QTEST_MAIN(OnePassTest)
#include "one_pass_test.moc"
