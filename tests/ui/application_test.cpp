// The program from start to exit: remembered files, the file on the command line, the pairing
// button, the document commands, and what is written back when it closes.
#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

#include "data/player_file.h"
#include "data/table_file.h"
#include "support/builders.h"
#include "ui/actions.h"
#include "ui/application.h"
#include "ui/commands.h"
#include "ui/event_file.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/support/ui_fixture.h"
#include "ui/table_model.h"

using namespace toq;

namespace {

QString str(const std::filesystem::path& p) {
  return ui::fromPath(p);
}

}  // namespace

class ApplicationTest : public QObject {
  Q_OBJECT

 private slots:
  void aFirstStartIsEmptyAndUntitled() {
    testing::UiSandbox box;
    auto app = box.makeApp();
    app->start({}, false);
    QCOMPARE(app->instanceSlot(), 1);
    QVERIFY(box.ui.warnings().empty());
    QCOMPARE(app->window()->windowTitle(), QStringLiteral("無題 - TOQ"));
    QCOMPARE(app->window()->view()->model()->rowCount(), 0);
    QVERIFY(app->workspace().decideSides);
    QVERIFY(!app->workspace().deriveHandicaps);
    QCOMPARE(app->window()->geometry().size(), QSize(690, 590));
    app->exit();
    QVERIFY(app->finished());
  }

  void aSecondCopyIsWarnedAndRunsOn() {
    testing::UiSandbox box;
    auto first = box.makeApp();
    first->start({}, false);
    testing::UiSandbox other;  // its own settings, the same slots
    ui::Application::Places places{other.settingsFile(), box.instanceFolder(), &other.ui};
    ui::Application second(places);
    second.start({}, false);
    QCOMPARE(second.instanceSlot(), 2);
    QCOMPARE(other.ui.warnings(), std::vector<std::string>{"２重起動です。"});
    QVERIFY(second.window() != nullptr);
  }

  void theRememberedTableReopensWithModeBoxesAndOptions() {
    testing::UiSandbox box;
    const auto tai = box.importSample();
    {
      auto app = box.makeApp();
      app->start(str(tai), false);
      QCOMPARE(app->window()->windowTitle(), QStringLiteral("event.tai - TOQ"));
      QCOMPARE(app->window()->view()->model()->rowCount(), 2 * app->workspace().table.rows());
      app->window()->view()->deriveHandicapsBox()->click();
      app->workspace().options.allowSixPieceHandicaps = true;
      app->workspace().options.womanProfessionalTwice = true;
      app->window()->setGeometry(QRect(120, 130, 800, 500));
      app->window()->actions()->action(view::Command::StatusBar)->trigger();
      app->window()->actions()->action(view::Command::ToolBar)->trigger();
      app->exit();
    }
    ui::AppSettings settings(box.settingsFile());
    QCOMPARE(settings.tableFile(), str(tai));
    QCOMPARE(settings.playerFile(), str(box.path("event.ply")));
    QCOMPARE(settings.allowSixPieceHandicaps(0), 1);
    QCOMPARE(settings.viewDeriveHandicaps(), 1);
    QCOMPARE(settings.recentFiles().value(0), str(tai));

    auto again = box.makeApp();
    again->start({}, false);
    edit::Workspace& ws = again->workspace();
    QCOMPARE(ws.table.filePath, tai);
    QVERIFY(ws.table.rows() > 0);
    QVERIFY(ws.players.count() > 0);
    QVERIFY(ws.deriveHandicaps);
    QVERIFY(ws.options.allowSixPieceHandicaps);
    QVERIFY(!ws.options.womanProfessionalTwice);  // never stored
    QVERIFY(!again->window()->view()->decideSidesBox()->isEnabled());
    QCOMPARE(again->window()->windowTitle(), QStringLiteral("event.tai - TOQ"));
    QCOMPARE(again->window()->normalGeometry(), QRect(120, 130, 800, 500));
    // The bars come back as they were left, and the menu's check marks say so.
    QVERIFY(again->window()->statusBar()->isHidden());
    QVERIFY(again->window()->actions()->toolBar()->isHidden());
    QVERIFY(!again->window()->actions()->action(view::Command::StatusBar)->isChecked());
    QVERIFY(!again->window()->actions()->action(view::Command::ToolBar)->isChecked());
  }

  void exitSavesARegisterWhoseWriteFailedAfterAYes() {
    testing::UiSandbox box;
    const auto tai = box.importSample();
    const auto ply = box.path("event.ply");
    auto app = box.makeApp();
    app->start(str(tai), false);
    // A change whose write did not reach the file (as the edit layer marks it).
    app->workspace().players.at(1).rating = 2999;
    app->workspace().playersUnsaved = true;
    box.ui.threeWayAnswers = {services::Services::Answer::Yes};
    app->exit();
    QVERIFY(app->finished());
    QCOMPARE(box.ui.questions(), std::vector<std::string>{ui::kUnsavedAtExit});
    data::Register read;
    QCOMPARE(data::LoadPlayerFile(read, ply), 0);
    QCOMPARE(read.at(1).rating, 2999);
    QVERIFY(QFile::exists(str(ply) + ".bak"));
  }

  void missingOrUnreadableRememberedFilesAreSaidAndNotOverwritten() {
    testing::UiSandbox box;
    const auto tai = box.importSample();
    // A player file that stops at a malformed line, a table file that is gone.
    const QString ply = box.dir.filePath("broken.ply");
    QFile::copy(str(box.path("event.ply")), ply);
    {
      QFile f(ply);
      QVERIFY(f.open(QIODevice::Append));
      f.write("3,999,\"unterminated\r\n");
    }
    const QByteArray before = [&] {
      QFile f(ply);
      f.open(QIODevice::ReadOnly);
      return f.readAll();
    }();
    {
      ui::AppSettings s(box.settingsFile());
      s.setPlayerFile(ply);
      s.setTableFile(box.dir.filePath("gone.tai"));
      s.sync();
    }
    auto app = box.makeApp();
    app->start({}, false);
    QVERIFY(!box.ui.errors().empty());  // the table file; the player file is held as not read
    QVERIFY(app->workspace().playersNotWhole.find("broken.ply") != std::string::npos);
    QVERIFY(app->window() != nullptr);
    QCOMPARE(app->workspace().table.rows(), 0);
    app->exit();
    QFile f(ply);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
    (void)tai;
  }

  void aRegisterOnTheCommandLineOpensInPlayerMode() {
    testing::UiSandbox box;
    box.importSample();
    auto app = box.makeApp();
    app->start(str(box.path("event.ply")), false);
    QVERIFY(!app->window()->view()->tableMode());
    QCOMPARE(app->window()->view()->model()->columnCount(), 9);
    QCOMPARE(app->window()->view()->model()->rowCount(), app->workspace().players.count());
    QVERIFY(!app->window()->view()->pairingButton()->isEnabled());
    QCOMPARE(app->window()->windowTitle(), QStringLiteral("event.ply - TOQ"));
  }

  void thePairingButtonPairsTheNextRound() {
    testing::UiSandbox box;
    const auto tai = box.importSample();
    auto app = box.makeApp();
    app->start(str(tai), false);
    edit::Workspace& ws = app->workspace();
    ui::MainView* view = app->window()->view();
    // The sample field is odd: the button stays enabled (it asks for the bye first).
    QVERIFY(ws.table.rows() % 2 == 1);
    QVERIFY(view->pairingButton()->isEnabled());
    ws.table.opponent[ws.table.rows() - 1][0] = data::kBye;
    view->updatePairingButton();
    QVERIFY(view->pairingButton()->isEnabled());

    // Answering No to the question changes nothing.
    box.ui.answers = {false};
    view->pairingButton()->click();
    QCOMPARE(ws.table.FirstUnpairedRound(), 0);
    QCOMPARE(box.ui.questions(), std::vector<std::string>{"1回戦の組み合わせをしますか？"});

    box.ui.answers = {true};
    box.ui.viewerResult = 0;
    view->pairingButton()->click();
    QCOMPARE(ws.table.FirstUnpairedRound(), 1);
    QVERIFY(!box.ui.statuses().empty());
    QVERIFY(QString::fromStdString(box.ui.statuses().back()).startsWith("組み合わせました。"));
    // The list shows the new round, and the file holds it.
    QVERIFY(!view->model()->data(view->model()->index(0, 2), Qt::DisplayRole).toString().isEmpty());
    data::Register players;
    data::Table saved;
    std::filesystem::path ply;
    QCOMPARE(data::OpenTableFile(players, saved, tai, ply, box.ui), 0);
    QCOMPARE(saved.opponent[0][0], ws.table.opponent[0][0]);
    // Round 2 waits for the results of round 1: the button is grey and says so; the command
    // itself asks for them too.
    QVERIFY(!view->pairingButton()->isEnabled());
    QVERIFY(view->pairingButton()->toolTip().startsWith("1回戦に結果の未入力があります: "));
    box.ui.clear();
    app->commands()->run(view::Command::Pair);
    QCOMPARE(box.ui.errors(), std::vector<std::string>{"1回戦に勝敗の未入力があります。"});
  }

  void theLockBoxWritesTheTable() {
    testing::UiSandbox box;
    const auto tai = box.importSample();
    auto app = box.makeApp();
    app->start(str(tai), false);
    app->window()->view()->lockBox()->click();
    QCOMPARE(app->workspace().table.lockFlag, 1);
    data::Table saved;
    QCOMPARE(data::ReadTableFile(saved, tai, box.ui), 0);
    QCOMPARE(saved.lockFlag, 1);
  }

  void theGenericSaveNeverLosesTheTable() {
    testing::UiSandbox box;
    const auto tai = box.importSample();
    auto app = box.makeApp();
    app->start(str(tai), false);
    const int rows = app->workspace().table.rows();
    QFile::remove(str(tai));
    app->window()->actions()->saveDocument()->trigger();
    data::Table saved;
    QCOMPARE(data::ReadTableFile(saved, tai, box.ui), 0);
    QCOMPARE(saved.rows(), rows);
  }
};

QTEST_MAIN(ApplicationTest)
#include "application_test.moc"
