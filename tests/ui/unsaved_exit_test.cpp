// Nothing typed is lost: a fresh start without files, a write that fails (an undo's too), and
// every way out of the program (the exit command, the window's close button, a read-only session).
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QtTest>

#include "data/player_file.h"
#include "edit/unsaved.h"
#include "text/cp932.h"
#include "ui/app_settings.h"
#include "ui/application.h"
#include "ui/dialogs/new_event_dialog.h"
#include "ui/dialogs/player_dialog.h"
#include "ui/event_file.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/support/await_dialog.h"
#include "ui/support/running_app.h"

using namespace toq;
using testing::Await;
using testing::button;
using testing::RunningApp;
using view::Command;
using Answer = services::Services::Answer;

namespace {

// Registers a player through the menu command and its dialog.
void registerThroughTheMenu(RunningApp& run, const QString& name) {
  auto form = Await::dialog<ui::PlayerDialog>([name](ui::PlayerDialog* d) {
    d->nameEdit()->setText(name);
    button(d, "OK")->click();
  });
  run.action(Command::RegisterPlayer)->trigger();
  QVERIFY(form->handled());
}

// The files of every kind in the sandbox's folder.
QStringList eventFiles(const RunningApp& run) {
  return QDir(run.box.dir.path()).entryList({"*.tai", "*.ply"}, QDir::Files);
}

// A fresh start: two players registered in player mode; the first registration asked for the
// event's file, and キャンセル kept them in memory.
void registerTwoWithoutFile(RunningApp& run) {
  run.view()->setTableMode(false);
  auto named = Await::dialog<ui::NewEventDialog>([](ui::NewEventDialog* d) {
    QVERIFY(d->gamesBox()->isHidden());  // the file alone
    d->reject();
  });
  registerThroughTheMenu(run, "先手 一郎");
  QVERIFY(named->handled());
  registerThroughTheMenu(run, "後手 二郎");
  QCOMPARE(run.ws().players.count(), 2);
  QVERIFY(edit::needsEventFile(run.ws()));
  QVERIFY(run.window()->unsavedShown());
  const auto statuses = run.box.ui.statuses();
  QVERIFY(std::find(statuses.begin(), statuses.end(), ui::kNotSaved) != statuses.end());
}

}  // namespace

class UnsavedExitTest : public QObject {
  Q_OBJECT

 private slots:
  void aFreshStartAsksAtExit_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("はい") << static_cast<int>(Answer::Yes);
    QTest::newRow("いいえ") << static_cast<int>(Answer::No);
    QTest::newRow("キャンセル") << static_cast<int>(Answer::Cancel);
  }
  void aFreshStartAsksAtExit() {
    QFETCH(int, answer);
    RunningApp run(false);
    registerTwoWithoutFile(run);
    QVERIFY(eventFiles(run).isEmpty());
    run.box.ui.clear();
    run.box.ui.threeWayAnswers = {static_cast<Answer>(answer)};
    const QString file = run.box.dir.filePath("大会");
    auto named = Await::dialog<ui::NewEventDialog>([file](ui::NewEventDialog* d) {
      d->fileEdit()->setText(file);
      d->okButton()->click();
    });
    run.action(Command::Exit)->trigger();
    QCOMPARE(run.box.ui.questions(), std::vector<std::string>{ui::kUnsavedAtExit});

    switch (static_cast<Answer>(answer)) {
      case Answer::Yes: {
        // The dialog named the event's files; the reader takes the register back.
        QVERIFY(named->handled());
        QVERIFY(run.app->finished());
        QCOMPARE(eventFiles(run), (QStringList{"大会.ply", "大会.tai"}));
        data::Register read;
        QCOMPARE(data::LoadPlayerFile(read, ui::toPath(file + ".ply")), 0);
        QCOMPARE(read.count(), 2);
        QCOMPARE(read.at(2).name, text::sj("後手 二郎"));
        ui::AppSettings settings(run.box.settingsFile());
        QCOMPARE(settings.tableFile(), file + ".tai");
        QCOMPARE(settings.playerFile(), file + ".ply");
        break;
      }
      case Answer::No:
        QVERIFY(!named->handled());
        QVERIFY(run.app->finished());
        QVERIFY(eventFiles(run).isEmpty());
        break;
      case Answer::Cancel:
        QVERIFY(!named->handled());
        QVERIFY(!run.app->finished());
        QVERIFY(run.window()->isVisible());
        QCOMPARE(run.ws().players.count(), 2);
        QVERIFY(run.window()->unsavedShown());
        run.box.ui.threeWayAnswers = {Answer::No};
        run.app->exit();
        QVERIFY(run.app->finished());
        break;
    }
  }

  void theCloseButtonAsksToo() {
    RunningApp run(false);
    registerTwoWithoutFile(run);
    run.box.ui.clear();
    run.box.ui.threeWayAnswers = {Answer::Cancel};
    run.window()->close();
    QVERIFY(run.window()->isVisible());
    QVERIFY(!run.app->finished());
    run.box.ui.threeWayAnswers = {Answer::No};
    run.window()->close();
    QVERIFY(!run.window()->isVisible());
    QVERIFY(run.app->finished());
    QCOMPARE(run.box.ui.questions(),
             (std::vector<std::string>{ui::kUnsavedAtExit, ui::kUnsavedAtExit}));
  }

  void openingAnotherTableAsksFirst() {
    RunningApp run(false);
    registerTwoWithoutFile(run);
    run.box.ui.clear();
    for (Command c : {Command::OpenTable, Command::ImportNameList}) {
      run.box.ui.threeWayAnswers = {Answer::Cancel};
      run.action(c)->trigger();  // キャンセル: no file dialog, nothing replaced
      QCOMPARE(run.ws().players.count(), 2);
    }
    QCOMPARE(run.box.ui.questions(),
             (std::vector<std::string>{ui::kUnsavedAtExit, ui::kUnsavedAtExit}));
    run.box.ui.threeWayAnswers = {Answer::No};
    run.app->exit();
  }

  void aFailedWriteIsAskedAboutAndAFailedSaveStays() {
    RunningApp run;
    // A folder where the player file should be: no write reaches it, even as root.
    const QString ply = ui::fromPath(run.ws().playerFile);
    QVERIFY(QFile::remove(ply));
    QVERIFY(QDir().mkdir(ply));
    run.view()->setTableMode(false);
    registerThroughTheMenu(run, "新人 太郎");
    QVERIFY(!run.box.ui.errors().empty());
    QVERIFY(edit::unsavedChanges(run.ws()).players);
    QVERIFY(!edit::needsEventFile(run.ws()));  // it has a file: no question for one
    QVERIFY(run.window()->unsavedShown());

    // はい: the save fails again and the program stays; いいえ then ends it.
    run.box.ui.clear();
    run.box.ui.threeWayAnswers = {Answer::Yes};
    run.action(Command::Exit)->trigger();
    QVERIFY(!run.app->finished());
    QVERIFY(!run.box.ui.errors().empty());
    run.box.ui.threeWayAnswers = {Answer::No};
    run.action(Command::Exit)->trigger();
    QVERIFY(run.app->finished());
    QCOMPARE(run.box.ui.questions(),
             (std::vector<std::string>{ui::kUnsavedAtExit, ui::kUnsavedAtExit}));
  }

  void aFailedWriteDuringUndoIsAskedAbout() {
    RunningApp run;
    run.select({2 * (run.ws().table.rows() - 1)});
    run.action(Command::SetBye)->trigger();
    QVERIFY(!edit::hasUnsavedChanges(run.ws()));
    // A folder where the writer puts the new content first: the file stays readable, but no
    // write reaches it, even as root.
    QVERIFY(QDir().mkpath(ui::fromPath(run.tai) + ".toq-tmp/inside"));
    run.box.ui.clear();
    run.action(Command::Undo)->trigger();
    QCOMPARE(run.ws().history.redoCount(), std::size_t{1});
    QCOMPARE(run.box.ui.errors().size(), std::size_t{1});
    QVERIFY(run.box.ui.errors().front().find(run.tai.filename().string()) != std::string::npos);
    QVERIFY(edit::unsavedChanges(run.ws()).table);
    QVERIFY(run.window()->unsavedShown());
    run.box.ui.threeWayAnswers = {Answer::No};
    run.action(Command::Exit)->trigger();
    QVERIFY(run.app->finished());
    QCOMPARE(run.box.ui.questions(), std::vector<std::string>{ui::kUnsavedAtExit});
  }

  void aSessionThatOnlyReadEndsSilently() {
    RunningApp run;
    const std::string tai = run.bytes(run.tai);
    const std::string ply = run.bytes(run.ws().playerFile);
    run.view()->setTableMode(false);
    run.select({0, 1});
    run.view()->setTableMode(true);
    run.action(Command::ShowStandings)->trigger();
    QVERIFY(!run.window()->unsavedShown());
    run.box.ui.clear();
    run.window()->close();
    QVERIFY(run.app->finished());
    QVERIFY(run.box.ui.questions().empty());
    QCOMPARE(run.bytes(run.tai), tai);
    QCOMPARE(run.bytes(run.ws().playerFile), ply);
  }
};

QTEST_MAIN(UnsavedExitTest)
#include "unsaved_exit_test.moc"
