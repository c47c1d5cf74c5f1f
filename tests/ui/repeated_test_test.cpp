// The repeated pairing test from its menu entry: the question, the log, the progress in the
// window title, the window kept responsive (and greyed) between the runs, and a close of the
// window during the test, which stops it cleanly.
#include <QDialog>
#include <QFile>
#include <QMenuBar>
#include <QToolBar>
#include <QWindow>
#include <QtTest>
#include <functional>

#include "data/player_file.h"
#include "data/table_file.h"
#include "support/builders.h"
#include "text/cp932.h"
#include "ui/actions.h"
#include "ui/app_settings.h"
#include "ui/commands.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/support/await_dialog.h"
#include "ui/support/ui_fixture.h"
#include "ui/table_model.h"

using namespace toq;
using view::Command;

namespace {

// Services that also keep every window title and let the test act between the runs.
struct WatchingServices : services::RecordingServices {
  std::vector<std::string> titles;
  int waits = 0;
  std::function<void()> betweenRuns;

  void setWindowTitle(std::string_view title) override { titles.emplace_back(title); }
  void processEvents() override {
    ++waits;
    if (betweenRuns) betweenRuns();
  }
};

// Presses Ctrl+P as the keyboard does; true when a dialog opened (it is closed again).
bool ctrlPOpensADialog(ui::MainWindow* w) {
  auto dialog = testing::Await::dialog<QDialog>([](QDialog* d) { d->reject(); });
  QTest::keyClick(w->windowHandle(), Qt::Key_P, Qt::ControlModifier);
  QTest::qWait(100);
  return dialog->handled();
}

int count(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// The sample event without its last row (an even field) and with a title, running on watching
// services, its log going to the sandbox.
struct TestRun {
  testing::UiSandbox box;
  WatchingServices ui;
  std::filesystem::path tai;
  std::filesystem::path logs;
  std::unique_ptr<ui::Application> app;

  TestRun() {
    tai = box.importSample();
    logs = box.path("logs");
    std::filesystem::create_directories(logs);
    app = std::make_unique<ui::Application>(
        ui::Application::Places{box.settingsFile(), box.instanceFolder(), &ui});
    app->start(ui::fromPath(tai), true);
    app->commands()->setLogFolder(logs);
    app->workspace().table.participantCount -= 1;
    app->workspace().table.title = text::sj("春季大会");
    app->commands()->afterTableChange();
  }
  ~TestRun() {
    if (!app->finished()) app->exit();
  }
  QAction* action(Command c) { return app->window()->actions()->action(c); }
  std::vector<std::filesystem::path> logFiles() const {
    std::vector<std::filesystem::path> out;
    for (const auto& e : std::filesystem::directory_iterator(logs)) out.push_back(e.path());
    return out;
  }
};

}  // namespace

class RepeatedTestTest : public QObject {
  Q_OBJECT

 private slots:
  void noChangesNothing() {
    TestRun run;
    const std::string before = testing::readFile(run.tai);
    run.ui.answers = {false};
    run.action(Command::RepeatedTest)->trigger();
    QCOMPARE(run.ui.questions(), std::vector<std::string>{"連続抽選テストしますか？"});
    QVERIFY(run.logFiles().empty());
    QCOMPARE(run.app->workspace().table.FirstUnpairedRound(), 0);
    QCOMPARE(testing::readFile(run.tai), before);
  }

  void aWholeTestShowsItsProgressAndStaysResponsive() {
    TestRun run;
    ui::MainWindow* w = run.app->window();
    w->activateWindow();
    QVERIFY(ctrlPOpensADialog(w));  // the print command's shortcut, before the test
    bool greyed = true;
    bool shortcutRan = false;
    run.ui.betweenRuns = [&] {
      greyed = greyed && !w->menuBar()->isEnabled() && !w->actions()->toolBar()->isEnabled() &&
               !w->view()->isEnabled() && !w->actions()->openDocument()->isEnabled();
      if (run.ui.waits == 2) shortcutRan = ctrlPOpensADialog(w);
    };
    run.action(Command::RepeatedTest)->trigger();
    QCOMPARE(run.ui.waits, 256);
    QVERIFY(greyed);
    QVERIFY(!shortcutRan);
    QVERIFY(w->menuBar()->isEnabled() && w->view()->isEnabled());
    QVERIFY(w->actions()->openDocument()->isEnabled());
    QCOMPARE(run.ui.titles.size(), std::size_t{257});
    QCOMPARE(run.ui.titles.front(), std::string("春季大会 - 順位戦抽選（連続抽選中） 1回 / 256"));
    QCOMPARE(run.ui.titles[255], std::string("春季大会 - 順位戦抽選（連続抽選中） 256回 / 256"));
    QCOMPARE(run.ui.titles.back(), std::string());  // the usual title again

    const auto logs = run.logFiles();
    QCOMPARE(logs.size(), std::size_t{1});
    const std::string log = testing::readFile(logs.front());
    QCOMPARE(count(log, "No."), 256);
    QCOMPARE(count(log, text::sj("平均時間")), 1);
    QCOMPARE(run.ui.texts(services::RecordedMessage::Kind::Viewer),
             std::vector<std::string>{logs.front().string()});
    QCOMPARE(run.ui.statuses().back(), std::string("連続抽選を終了しました。"));
    // Every round paired and resulted, shown in the list; the table file is not written.
    const data::Table& t = run.app->workspace().table;
    QCOMPARE(t.FirstIncompleteRound(), -1);
    QVERIFY(!w->view()
                 ->model()
                 ->data(w->view()->model()->index(0, 6), Qt::DisplayRole)
                 .toString()
                 .isEmpty());
    data::Table disk;
    QCOMPARE(data::ReadTableFile(disk, run.tai, run.ui), 0);
    QCOMPARE(disk.FirstUnpairedRound(), 0);
  }

  void closingTheWindowStopsTheTestCleanly() {
    TestRun run;
    const std::string table = testing::readFile(run.tai);
    run.ui.betweenRuns = [&] {
      if (run.ui.waits == 3) run.app->window()->close();
    };
    run.action(Command::RepeatedTest)->trigger();
    QVERIFY(run.app->finished());
    QCOMPARE(run.ui.waits, 3);
    // The log holds the three whole runs and nothing after them; nothing was shown.
    const auto logs = run.logFiles();
    QCOMPARE(logs.size(), std::size_t{1});
    const std::string log = testing::readFile(logs.front());
    QCOMPARE(count(log, "No."), 3);
    QVERIFY(log.ends_with("No.  3 "));
    QVERIFY(run.ui.texts(services::RecordedMessage::Kind::Viewer).empty());
    QVERIFY(run.ui.statuses().empty() ||
            run.ui.statuses().back() != std::string("連続抽選を終了しました。"));
    // The table file is as it was; the exit wrote its settings and the player file whole.
    QCOMPARE(testing::readFile(run.tai), table);
    ui::AppSettings settings(run.box.settingsFile());
    QCOMPARE(settings.tableFile(), ui::fromPath(run.tai));
    data::Register players;
    QCOMPARE(data::LoadPlayerFile(players, run.box.path("event.ply")), 0);
    QCOMPARE(players.count(), 20);
  }
};

QTEST_MAIN(RepeatedTestTest)
#include "repeated_test_test.moc"
