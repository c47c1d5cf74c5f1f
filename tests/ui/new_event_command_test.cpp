// "新規対戦表" in the window: a new event from nothing, its participants added and round 1
// paired through the commands, the table file written at each step.
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

#include "data/player_file.h"
#include "data/table_file.h"
#include "edit/unsaved.h"
#include "ui/app_settings.h"
#include "ui/application.h"
#include "ui/dialogs/add_participant_dialog.h"
#include "ui/dialogs/new_event_dialog.h"
#include "ui/dialogs/player_dialog.h"
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

namespace {

// Runs "新規対戦表" and fills its dialog.
void newEvent(RunningApp& run, const QString& file, int games, bool keep) {
  auto dialog = Await::dialog<ui::NewEventDialog>([=](ui::NewEventDialog* d) {
    QCOMPARE(d->windowTitle(), QStringLiteral("新規対戦表"));
    d->fileEdit()->setText(file);
    d->gamesBox()->setValue(games);
    (keep ? d->keepButton() : d->emptyButton())->setChecked(true);
    d->okButton()->click();
  });
  QAction* command = run.action(Command::NewTable);
  QVERIFY(command->isEnabled());
  QCOMPARE(command->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
  command->trigger();
  QVERIFY(dialog->handled());
}

// Adds the chooser's first player through "参加者を対戦表に追加".
void addFirstChoice(RunningApp& run) {
  auto add = Await::dialog<ui::AddParticipantDialog>([](ui::AddParticipantDialog* d) {
    d->list()->item(0)->setSelected(true);
    button(d, "OK")->click();
  });
  run.action(Command::AddParticipant)->trigger();
  QVERIFY(add->handled());
}

// The table as a file holds it.
std::unique_ptr<data::Table> tableOnDisk(const QString& file) {
  auto table = std::make_unique<data::Table>();
  services::RecordingServices quiet;
  if (data::ReadTableFile(*table, ui::toPath(file), quiet) != 0) return nullptr;
  return table;
}

}  // namespace

class NewEventCommandTest : public QObject {
  Q_OBJECT

 private slots:
  void aNewEventKeepsTheRegisterAndIsPairedStepByStep() {
    // A fresh start: two players registered before any file is named (the question for the
    // event's file answered キャンセル).
    RunningApp run(false);
    run.view()->setTableMode(false);
    auto later = Await::dialog<ui::NewEventDialog>([](ui::NewEventDialog* d) { d->reject(); });
    for (const char* name : {"先手 一郎", "後手 二郎"}) {
      auto form = Await::dialog<ui::PlayerDialog>([name](ui::PlayerDialog* d) {
        d->nameEdit()->setText(QString::fromUtf8(name));
        button(d, "OK")->click();
      });
      run.action(Command::RegisterPlayer)->trigger();
      QVERIFY(form->handled());
    }
    QVERIFY(later->handled());
    const int players = 2;
    QCOMPARE(run.ws().players.count(), players);
    const QString file = run.box.dir.filePath("秋季大会");
    newEvent(run, file, 3, true);

    // An empty table of 3 games on its own file, the register beside it, both remembered.
    edit::Workspace& ws = run.ws();
    QCOMPARE(ws.table.filePath, ui::toPath(file + ".tai"));
    QCOMPARE(ws.table.rows(), 0);
    QCOMPARE(ws.table.numberOfGames, 3);
    QCOMPARE(ws.players.count(), players);
    QCOMPARE(run.window()->windowTitle(), QStringLiteral("秋季大会.tai - TOQ"));
    QVERIFY(run.view()->tableMode());
    QVERIFY(!run.window()->unsavedShown());
    QVERIFY(!edit::hasUnsavedChanges(ws));
    ui::AppSettings settings(run.box.settingsFile());
    QCOMPARE(settings.tableFile(), file + ".tai");
    QCOMPARE(settings.playerFile(), file + ".ply");
    const QString tai = file + ".tai";
    auto disk = tableOnDisk(tai);
    QVERIFY(disk);
    QCOMPARE(disk->numberOfGames, 3);
    QCOMPARE(disk->participantCount, 0);
    data::Register reg;
    QCOMPARE(data::LoadPlayerFile(reg, ui::toPath(file + ".ply")), 0);
    QCOMPARE(reg.count(), players);
    // The empty table cannot be paired.
    QVERIFY(!run.view()->pairingButton()->isEnabled());
    QVERIFY(run.action(Command::AddParticipant)->isEnabled());

    // Two participants, each written at once; then round 1.
    for (int n = 1; n <= 2; ++n) {
      addFirstChoice(run);
      QCOMPARE(tableOnDisk(tai)->participantCount, n);
    }
    QVERIFY(run.view()->pairingButton()->isEnabled());
    run.box.ui.answers = {true};
    run.box.ui.clear();
    run.view()->pairingButton()->click();
    QVERIFY(run.box.ui.errors().empty());
    QCOMPARE(ws.table.FirstUnpairedRound(), 1);
    QCOMPARE(tableOnDisk(tai)->opponent[0][0], ws.table.opponent[0][0]);
    QVERIFY(!edit::hasUnsavedChanges(ws));
    run.box.ui.clear();
    run.app->exit();
    QVERIFY(run.box.ui.questions().empty());  // everything is on file
  }

  void aNewEventFromNothingWithAnEmptyRegister() {
    RunningApp run(false);
    const QString file = run.box.dir.filePath("empty");
    newEvent(run, file, 7, false);
    QCOMPARE(run.ws().players.count(), 0);
    QCOMPARE(run.ws().table.numberOfGames, 7);
    QVERIFY(QFile::exists(file + ".tai"));
    QVERIFY(QFile::exists(file + ".ply"));
    QVERIFY(!run.view()->pairingButton()->isEnabled());
    // Nothing to add yet: it says that players must be registered first.
    run.box.ui.clear();
    run.action(Command::AddParticipant)->trigger();
    QCOMPARE(run.ws().table.rows(), 0);
    const auto told = run.box.ui.texts(services::RecordedMessage::Kind::Information);
    QCOMPARE(told.size(), std::size_t{1});
    QVERIFY(told[0].starts_with("対局者が登録されていません。"));
  }

  void aCancelledDialogChangesNothing() {
    RunningApp run;
    const std::filesystem::path before = run.ws().table.filePath;
    const int rows = run.ws().table.rows();
    auto dialog = Await::dialog<ui::NewEventDialog>([](ui::NewEventDialog* d) { d->reject(); });
    run.action(Command::NewTable)->trigger();
    QVERIFY(dialog->handled());
    QCOMPARE(run.ws().table.filePath, before);
    QCOMPARE(run.ws().table.rows(), rows);
  }
};

QTEST_MAIN(NewEventCommandTest)
#include "new_event_command_test.moc"
