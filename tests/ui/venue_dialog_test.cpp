// The window serving its event: the venue dialog starts the server on loopback, a result
// POSTed from another thread shows in the list and the table file at once, a local command
// changes the version the pages watch (undo, redo and a re-read of a file another program
// changed too), the status bar says that the event is served, and a stop leaves no listener.
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>
#include <future>
#include <nlohmann/json.hpp>

#include "data/table_file.h"
#include "edit/file_freshness.h"
#include "edit/participants.h"
#include "server/http_client.h"
#include "support/recording_services.h"
#include "text/cp932.h"
#include "ui/commands.h"
#include "ui/dialogs/reception_dialog.h"
#include "ui/dialogs/venue_dialog.h"
#include "ui/elided_label.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/support/running_app.h"
#include "ui/support/serving.h"
#include "ui/table_model.h"

using namespace toq;
using testing::RunningApp;
using testing::whileServing;
using view::Command;

namespace {

testing::HttpAnswer askServer(unsigned short port, const std::string& bytes) {
  return whileServing(
      [port, bytes] { return testing::sendRequest(port, bytes, std::chrono::seconds(5)); });
}

// A page listening for changes, opened from another thread.
std::unique_ptr<testing::EventStream> listen(unsigned short port) {
  return whileServing([port] { return std::make_unique<testing::EventStream>(port); });
}

nlohmann::json eventInfo(unsigned short port) {
  const testing::HttpAnswer a = askServer(port, testing::requestBytes("GET", "/api/event"));
  if (a.status != 200) return {};
  return nlohmann::json::parse(a.body, nullptr, false);
}

ui::VenueDialog* openVenue(RunningApp& run) {
  run.action(Command::Venue)->trigger();
  return run.window()->findChild<ui::VenueDialog*>();
}

ui::ElidedLabel* servingLabel(RunningApp& run) {
  return run.window()->statusBar()->findChild<ui::ElidedLabel*>(QStringLiteral("servingLabel"));
}

// The texts of a participant's two lines in the round-1 column.
QStringList round1Cells(RunningApp& run, int row) {
  ui::TableModel* model = run.view()->model();
  QStringList cells;
  for (int line : {2 * row, 2 * row + 1})
    cells << model->data(model->index(line, 2), Qt::DisplayRole).toString();
  return cells;
}

}  // namespace

class VenueDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void opensOnTheFirstChoiceWithTheDefaultPort() {
    RunningApp run;
    ui::VenueDialog* d = openVenue(run);
    QVERIFY(d);
    QVERIFY(d->isVisible());
    QVERIFY(!d->isModal());
    QVERIFY(d->localChoice()->isChecked());
    QCOMPARE(d->focusWidget(), static_cast<QWidget*>(d->localChoice()));
    QCOMPARE(d->portBox()->value(), 8080);
    QVERIFY(!d->deskBox()->isChecked());
    QVERIFY(!d->serving());
    // Asking again shows the same dialog.
    run.action(Command::Venue)->trigger();
    QCOMPARE(run.window()->findChildren<ui::VenueDialog*>().size(), 1);
  }

  void servesResultsFromTheNetworkIntoTheList() {
    RunningApp run;
    ui::VenueDialog* d = openVenue(run);
    QVERIFY(d);
    d->portBox()->setValue(0);
    d->startButton()->click();
    QVERIFY(d->serving());
    const unsigned short port = d->server().port();
    QVERIFY(port != 0);
    const std::string key = d->server().key();
    QVERIFY(!key.empty());
    QVERIFY(d->publicUrlLabel()->text().contains(QString::number(port)));
    QVERIFY(d->organiserUrlLabel()->text().endsWith(QString::fromStdString("/admin#" + key)));
    QVERIFY(!d->localChoice()->isEnabled());
    QVERIFY(!d->portBox()->isEnabled());
    QVERIFY(servingLabel(run));
    QVERIFY(servingLabel(run)->text().contains(d->publicUrlLabel()->text()));
    QCOMPARE(servingLabel(run)->toolTip(), servingLabel(run)->text());

    // A local command: the pages see a new version and the round it paired.
    const nlohmann::json before = eventInfo(port);
    QVERIFY(before.is_object());
    // The sample's odd field: the last participant sits out round 1.
    run.select({2 * (run.ws().table.rows() - 1)});
    run.action(Command::SetBye)->trigger();
    run.box.ui.answers = {true};
    run.box.ui.viewerResult = 0;
    run.app->commands()->run(Command::Pair);
    QCOMPARE(run.ws().table.FirstUnpairedRound(), 1);
    const nlohmann::json after = eventInfo(port);
    QVERIFY(after.is_object());
    QVERIFY(after["version"] != before["version"]);
    QCOMPARE(after["latestPairedRound"].get<int>(), 1);

    // A result from a phone: 200, then the list, the memory and the file hold it.
    const QStringList cellsBefore = round1Cells(run, 0);
    const testing::HttpAnswer posted = askServer(
        port,
        testing::requestBytes("POST", "/api/results",
                              {"Authorization: Bearer " + key, "Content-Type: application/json"},
                              R"({"round":1,"row":1,"result":"win"})"));
    QCOMPARE(posted.status, 200);
    QTRY_VERIFY_WITH_TIMEOUT(round1Cells(run, 0) != cellsBefore, 5000);
    QCOMPARE(run.ws().table.result[0][0], data::kWin);
    const auto saved = run.onDisk();
    QVERIFY(saved);
    QCOMPARE(saved->result[0][0], data::kWin);
    QVERIFY(!run.box.ui.statuses().empty());
    QVERIFY(run.box.ui.statuses().back().find("会場から") != std::string::npos);

    // Without the key nothing changes.
    const std::string bytes = run.bytes(run.tai);
    const testing::HttpAnswer refused = askServer(
        port, testing::requestBytes("POST", "/api/results", {"Content-Type: application/json"},
                                    R"({"round":1,"row":1,"result":"loss"})"));
    QCOMPARE(refused.status, 401);
    QCOMPARE(run.bytes(run.tai), bytes);

    // The last result of the round, from the network: the status bar offers the next round.
    const auto boards = nlohmann::json::parse(
        askServer(port, testing::requestBytes("GET", "/api/pairings")).body)["boards"];
    for (const auto& b : boards) {
      const std::string body =
          nlohmann::json{{"round", 1}, {"row", b["players"][0]["row"]}, {"result", "draw"}}.dump();
      askServer(port,
                testing::requestBytes(
                    "POST", "/api/results",
                    {"Authorization: Bearer " + key, "Content-Type: application/json"}, body));
    }
    QTRY_COMPARE_WITH_TIMEOUT(run.box.ui.statuses().back(), std::string("すべての結果が揃いました"),
                              5000);
    QCOMPARE(run.ws().table.FirstUnpairedRound(), 1);

    // Stopping: the status bar forgets the address and nobody answers on the port.
    d->startButton()->click();
    QVERIFY(!d->serving());
    QVERIFY(!servingLabel(run));
    QVERIFY(d->portBox()->isEnabled());
    QCOMPARE(testing::sendRequest(port, testing::requestBytes("GET", "/api/event"),
                                  std::chrono::seconds(2))
                 .status,
             0);
  }

  void theResultDeskFollowsItsCheckBox() {
    RunningApp run;
    ui::VenueDialog* d = openVenue(run);
    d->portBox()->setValue(0);
    d->deskBox()->setChecked(true);
    d->startButton()->click();
    QVERIFY(d->serving());
    QVERIFY(d->server().resultDesk());
    const auto deskPage = [&] {
      return askServer(d->server().port(), testing::requestBytes("GET", "/desk")).status;
    };
    QCOMPARE(deskPage(), 200);
    d->deskBox()->setChecked(false);
    QVERIFY(!d->server().resultDesk());
    QCOMPARE(deskPage(), 404);
  }

  void requestsWorkWithTheWindowsCheckBoxes() {
    RunningApp run;
    ui::VenueDialog* d = openVenue(run);
    d->portBox()->setValue(0);
    d->startButton()->click();
    for (bool on : {false, true}) {
      run.view()->decideSidesBox()->setChecked(on);
      run.view()->deriveHandicapsBox()->setChecked(on);
      run.ws().decideSides = run.ws().deriveHandicaps = !on;
      // A new version: the answer is built again, by a job on the GUI thread, not kept.
      d->notifyChanged();
      QCOMPARE(eventInfo(d->server().port()).is_object(), true);
      QCOMPARE(run.ws().decideSides, on);
      QCOMPARE(run.ws().deriveHandicaps, on);
    }
  }

  void countsOpenPagesAndStopsWithOneOpen() {
    RunningApp run;
    ui::VenueDialog* d = openVenue(run);
    d->portBox()->setValue(0);
    d->startButton()->click();
    const unsigned short port = d->server().port();
    QCOMPARE(d->openPagesLabel()->text(), QStringLiteral("開いているページ: 0"));
    // A page listening for changes; the count arrives from the network thread.
    const std::unique_ptr<testing::EventStream> stream = listen(port);
    QVERIFY(stream->ok());
    QTRY_COMPARE_WITH_TIMEOUT(d->openPagesLabel()->text(), QStringLiteral("開いているページ: 1"),
                              5000);
    // Stopping closes the open page too.
    d->startButton()->click();
    QVERIFY(!d->serving());
    QCOMPARE(d->openPagesLabel()->text(), QStringLiteral("開いているページ: 0"));
  }

  void aPageListeningHearsUndoRedoAndReread() {
    RunningApp run;
    ui::VenueDialog* d = openVenue(run);
    d->portBox()->setValue(0);
    d->startButton()->click();
    const unsigned short port = d->server().port();
    run.select({2 * (run.ws().table.rows() - 1)});
    run.action(Command::SetBye)->trigger();
    QVERIFY(run.ws().history.canUndo());

    const std::unique_ptr<testing::EventStream> stream = listen(port);
    QVERIFY(stream->ok());
    // The versions heard so far.
    const auto heard = [&stream](std::size_t count) {
      return whileServing(
          [&stream, count] { return stream->versions(count, std::chrono::seconds(5)); });
    };
    QCOMPARE(heard(1).size(), std::size_t{1});

    // Undo and redo in the window, then a file another program changed, read again before
    // the next command (one that changes nothing itself): each is a new version.
    run.action(Command::Undo)->trigger();
    QCOMPARE(heard(2).size(), std::size_t{2});
    run.action(Command::Redo)->trigger();
    QCOMPARE(heard(3).size(), std::size_t{3});
    edit::Workspace other;
    services::RecordingServices quiet;
    QCOMPARE(edit::openTable(other, quiet, run.tai), 0);
    QCOMPARE(edit::setLockFlag(other, quiet, true).code, 0);
    run.action(Command::ShowStandings)->trigger();
    QCOMPARE(run.ws().table.lockFlag, 1);
    const std::vector<unsigned long long> versions = heard(4);
    QCOMPARE(versions.size(), std::size_t{4});
    QVERIFY(std::is_sorted(versions.begin(), versions.end()));
    QVERIFY(std::adjacent_find(versions.begin(), versions.end()) == versions.end());
    d->startButton()->click();
  }

  void aTakenPortIsReportedAndNothingRuns() {
    RunningApp run;
    ui::VenueDialog* first = openVenue(run);
    first->portBox()->setValue(0);
    first->startButton()->click();
    QVERIFY(first->serving());
    ui::VenueDialog second(run.ws(), run.box.ui);
    second.portBox()->setValue(first->server().port());
    run.box.ui.clear();
    second.startButton()->click();
    QVERIFY(!second.serving());
    QCOMPARE(run.box.ui.errors().size(), std::size_t{1});
    QCOMPARE(second.startButton()->text(), QStringLiteral("開始(&S)"));
  }

  // The projector's address with its code; a table changed by another program while serving
  // shows in the list by itself; closing the window while serving asks first.
  void displayAddressOutsideChangesAndClosing() {
    RunningApp run;
    ui::VenueDialog* d = openVenue(run);
    d->portBox()->setValue(0);
    d->startButton()->click();
    QVERIFY(d->serving());
    QVERIFY(d->displayUrlLabel()->text().endsWith(QStringLiteral("/display")));
    QVERIFY(!d->findChild<QLabel*>(QStringLiteral("displayQr"))->pixmap().isNull());

    // Another program gives the first row a bye in round 1.
    auto t = run.onDisk();
    QVERIFY(t != nullptr);
    QVERIFY(t->opponent[0][0] != data::kBye);
    t->opponent[0][0] = data::kBye;
    QCOMPARE(data::WriteTableFile(*t, {}, run.box.ui), 0);
    QTRY_COMPARE_WITH_TIMEOUT(run.ws().table.opponent[0][0], std::int16_t(data::kBye), 3000);

    run.box.ui.answers = {false};
    run.window()->close();
    QVERIFY(run.window()->isVisible());
    QVERIFY(d->serving());
    QCOMPARE(run.box.ui.questions().back(),
             std::string("会場公開中です。終了するとページが更新されなくなります。終了しますか？"));
    // The menu's 終了 asks the same, and No keeps the pages served.
    const std::size_t asked = run.box.ui.questions().size();
    run.box.ui.answers = {false};
    run.action(view::Command::Exit)->trigger();
    QVERIFY(run.window()->isVisible());
    QVERIFY(d->serving());
    QCOMPARE(run.box.ui.questions().size(), asked + 1);
  }

  void printsTheAddressesAndTheirCodes() {
    RunningApp run;
    ui::VenueDialog* d = openVenue(run);
    d->portBox()->setValue(0);
    d->startButton()->click();
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("venue.pdf"));
    d->printSheet(printer);
    QFile pdf(dir.filePath("venue.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    // Two QR codes as images make the page far larger than its text alone.
    QVERIFY(pdf.size() > 2000);
    QVERIFY(pdf.read(5) == "%PDF-");
  }

  void anArrivalFromAPhoneShowsInTheWindowsReceptionList() {
    RunningApp run;
    data::Player p;
    p.name = text::sj("受付 太郎");
    run.ws().players.AddPlayer(p);
    const int number = run.ws().players.at(run.ws().players.count()).number;
    const int rowsBefore = run.ws().table.participantCount;
    ui::VenueDialog* d = openVenue(run);
    d->portBox()->setValue(0);
    // The reception's column is shown only once the reception is asked for.
    const auto receptionCaption = [d] {
      for (QLabel* l : d->findChildren<QLabel*>())
        if (l->text().startsWith(QStringLiteral("受付用"))) return l->isVisibleTo(d);
      return false;
    };
    QVERIFY(!receptionCaption());
    d->receptionBox()->setChecked(true);
    QVERIFY(receptionCaption());
    d->startButton()->click();
    const std::string url = d->server().receptionUrl();
    QVERIFY(d->receptionUrlLabel()->text().contains(QStringLiteral("/reception#")));
    run.action(Command::Reception)->trigger();
    auto* reception = run.window()->findChild<ui::ReceptionDialog*>();
    QVERIFY(reception);
    QElapsedTimer clock;
    clock.start();
    const testing::HttpAnswer a =
        askServer(d->server().port(),
                  testing::requestBytes("POST", "/api/reception/arrivals",
                                        {"Content-Type: application/json",
                                         "Authorization: Bearer " + url.substr(url.find('#') + 1)},
                                        nlohmann::json{{"player", number}}.dump()));
    QCOMPARE(a.status, 200);
    const auto received = [&] {
      const auto items =
          reception->list()->findItems(QStringLiteral("受付 太郎"), Qt::MatchStartsWith);
      return items.size() == 1 && items[0]->text().endsWith(QStringLiteral("受付済み"));
    };
    QTRY_VERIFY_WITH_TIMEOUT(received(), 1000);
    qInfo("an arrival from the page to the window's list: %lld ms", clock.elapsed());
    QCOMPARE(run.ws().table.participantCount, rowsBefore + 1);
  }
};

QTEST_MAIN(VenueDialogTest)
#include "venue_dialog_test.moc"
