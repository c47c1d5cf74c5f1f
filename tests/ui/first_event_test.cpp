// A first event as a new organiser runs it, through the window's commands only: an empty first
// start, a new event in a home without a documents folder, nine players registered from the
// table view and added in one dialog, the odd count's bye question answered はい, three rounds
// entered by keys and by the result sheet (opened from a cell), one undo. The same event is then
// run through toq-cli, and both table and player files must agree. With TOQ_SCREENSHOT_DIR set
// (scripts/screenshots) every step is saved as a picture for the manual.
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableView>
#include <QtTest>

#include "data/table_file.h"
#include "support/builders.h"
#include "ui/actions.h"
#include "ui/dialogs/add_participant_dialog.h"
#include "ui/dialogs/new_event_dialog.h"
#include "ui/dialogs/player_dialog.h"
#include "ui/dialogs/result_sheet_dialog.h"
#include "ui/elided_label.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/support/await_dialog.h"
#include "ui/support/cli_replay.h"
#include "ui/support/running_app.h"
#include "ui/table_model.h"
#include "view/layout.h"
#include "view/result_keys.h"
#include "view/texts.h"

using namespace toq;
using testing::Await;
using testing::button;
using testing::RunningApp;
using testing::withoutPathLine;
using view::Command;

namespace {

struct Entrant {
  const char* name;
  int rating;
};
constexpr Entrant kEntrants[] = {
    {"青山", 1850}, {"南条", 1800}, {"北村", 1760}, {"東", 1720},   {"西田", 1700},
    {"桜井", 1650}, {"藤森", 1620}, {"宮下", 1580}, {"今村", 1540},
};
const char* const kWords[] = {"win", "loss", "draw"};

// Saves a picture of a widget for the manual when the screenshots are wanted.
void shot(QWidget* widget, const char* name) {
  const QString dir = qEnvironmentVariable("TOQ_SCREENSHOT_DIR");
  if (dir.isEmpty() || !widget) return;
  QCoreApplication::processEvents();
  widget->grab().save(QDir(dir).filePath(QString::fromUtf8(name)));
}

// The table a file holds; none when it cannot be read.
std::unique_ptr<data::Table> onDisk(const QString& path) {
  auto t = std::make_unique<data::Table>();
  services::RecordingServices quiet;
  if (data::ReadTableFile(*t, ui::toPath(path), quiet) != 0) return nullptr;
  return t;
}

// The first event in the window, with the toq-cli calls that do the same.
class FirstEvent {
 public:
  explicit FirstEvent(RunningApp& run) : run_(run) {}

  QStringList cli;  // one call per line, arguments separated by tabs

  void newEvent(const QString& name) {
    auto dialog = Await::dialog<ui::NewEventDialog>([&](ui::NewEventDialog* d) {
      d->fileEdit()->setText(name);
      pathShown = d->pathLabel()->toolTip();
      shot(d, "first-02-new-event.png");
      QTest::keyClick(d->fileEdit(), Qt::Key_Return);  // Enter accepts
    });
    run_.action(Command::NewTable)->trigger();
    QVERIFY(dialog->handled());
  }

  void registerPlayer(const Entrant& e, bool picture) {
    auto dialog = Await::dialog<ui::PlayerDialog>([&](ui::PlayerDialog* d) {
      d->nameEdit()->setText(QString::fromUtf8(e.name));
      d->ratingEdit()->setText(QString::number(e.rating));
      if (picture) shot(d, "first-03-register.png");
      button(d, "OK")->click();
    });
    QVERIFY(run_.action(Command::RegisterPlayer)->isEnabled());  // from the table view too
    run_.action(Command::RegisterPlayer)->trigger();
    QVERIFY(dialog->handled());
    call({"register", file(".ply"), QString::fromUtf8(e.name), "--rating",
          QString::number(e.rating)});
  }

  void addEveryone() {
    auto dialog = Await::dialog<ui::AddParticipantDialog>([&](ui::AddParticipantDialog* d) {
      QCOMPARE(d->list()->count(), 9);
      d->list()->selectAll();
      shot(d, "first-04-add.png");
      button(d, "OK")->click();
    });
    run_.action(Command::AddParticipant)->trigger();
    QVERIFY(dialog->handled());
    for (const data::Player& p : run_.ws().players.all())
      call({"add", file(".tai"), QString::number(p.number)});
  }

  // The pairing button on an odd round: the question, はい, and the round paired.
  void pairWithProposedBye(const char* picture = nullptr) {
    const data::Table& t = run_.ws().table;
    const int round = t.FirstUnpairedRound();
    QVERIFY(run_.view()->pairingButton()->isEnabled());  // odd, yet enabled
    QString question;
    auto box = Await::dialog<QMessageBox>([&](QMessageBox* b) {
      question = b->text();
      if (picture) shot(b, picture);
      QVERIFY(button(b, "選び直す(&C)"));
      QVERIFY(button(b, "キャンセル"));
      button(b, "はい(&Y)")->click();
    });
    run_.view()->pairingButton()->click();
    QVERIFY(box->handled());
    QVERIFY(question.startsWith("参加者が奇数です。抜け番を決めてから組み合わせますか？"));
    QCOMPARE(t.FirstUnpairedRound(), round + 1);
    int bye = -1;
    for (int k = 0; k < t.rows(); ++k)
      if (t.opponent[k][round] == data::kBye) bye = k;
    QVERIFY(bye >= 0);
    // Nobody sits out twice while someone has not sat out yet.
    for (int r = 0; r < round; ++r) QVERIFY(t.opponent[bye][r] != data::kBye);
    QVERIFY(
        question.contains(ui::fromCp932(run_.ws().players.FindPlayer(t.participants[bye])->name)));
    call({"bye", file(".tai"), QString::number(bye + 1)});
    call({"pair", file(".tai")});
  }

  // The key of a result on the first row of a game.
  void key(int k, int r, Qt::Key key) {
    run_.view()->setCurrentCell(view::firstLineOfRow(k), view::columnOfRound(r));
    QTest::keyClick(run_.view()->list(), key);
  }

  // Every game of the round by keys: W, L or D from the first row's side.
  void resultsByKeys(int r) {
    const data::Table& t = run_.ws().table;
    int n = 0;
    for (int k = 0; k < t.rows(); ++k) {
      const int o = t.opponentRow(k, r);
      if (o <= k) continue;
      const int word = n++ % 3;
      key(k, r, word == 0 ? Qt::Key_W : word == 1 ? Qt::Key_L : Qt::Key_D);
      QCOMPARE(t.result[k][r], word == 0 ? data::kWin : word == 1 ? data::kLoss : data::kDraw);
      call({"result", file(".tai"), QString::number(r + 1), QString::number(k + 1), kWords[word]});
    }
    QCOMPARE(t.OpenGames(r), 0);
  }

  // The result sheet from a cell's context menu: it opens on that cell's round.
  void openSheetFrom(int line, int round, const std::function<void(ui::ResultSheetDialog*)>& act) {
    auto dialog = Await::dialog<ui::ResultSheetDialog>([&](ui::ResultSheetDialog* d) {
      QCOMPARE(d->roundList()->currentText(), QStringLiteral("%1回戦").arg(round + 1));
      act(d);
    });
    auto menu = Await::popup([](QMenu* m) {
      QVERIFY(testing::chooseEntry(m, QStringLiteral("結果の一括入力(&B)...")));
    });
    run_.rightClick(line, view::columnOfRound(round));
    QVERIFY(menu->handled());
    QVERIFY(dialog->handled());
  }

  // Every game of the round from the sheet, 1 2 3 in turn, with their calls.
  void resultsBySheet(int r) {
    openSheetFrom(0, r, [](ui::ResultSheetDialog* d) {
      QCOMPARE(d->highlightedGame(), 0);
      for (int i = 0; i < d->games().size(); ++i) {
        QTest::keyClick(d->games()[i], static_cast<Qt::Key>('1' + i % 3));
        if (i + 1 < d->games().size()) QCOMPARE(d->highlightedGame(), i + 1);
      }
      shot(d, "first-07-result-sheet.png");
      button(d, "OK")->click();
    });
    const data::Table& t = run_.ws().table;
    QCOMPARE(t.OpenGames(r), 0);
    for (int k = 0; k < t.rows(); ++k) {
      const int o = t.opponentRow(k, r);
      if (o <= k) continue;
      const int result = t.result[k][r];
      call({"result", file(".tai"), QString::number(r + 1), QString::number(k + 1),
            kWords[result == data::kWin    ? 0
                   : result == data::kLoss ? 1
                                           : 2]});
    }
  }

  QString file(const char* extension) const { return QStringLiteral("春季大会") + extension; }

  QString pathShown;

 private:
  void call(const QStringList& args) { cli << args.join('\t'); }
  RunningApp& run_;
};

}  // namespace

class FirstEventTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    // A home without a documents folder, as many Linux accounts have.
    homeDir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(homeDir_->isValid());
    qputenv("HOME", QFile::encodeName(home()));
    qunsetenv("XDG_CONFIG_HOME");
  }

  void aNinePlayerThreeRoundEventFromAnEmptyWindow() {
    RunningApp run(false);
    ui::MainWindow* window = run.window();
    window->resize(1180, 760);
    const data::Table& t = run.ws().table;
    FirstEvent event(run);

    // An empty first start says how to begin; the grey pairing button says why.
    QVERIFY(run.view()->emptyListHint()->isVisible());
    QCOMPARE(run.view()->emptyListHint()->text(), QString::fromUtf8(view::texts::kFirstStartHint));
    QVERIFY(!run.view()->pairingButton()->isEnabled());
    QCOMPARE(run.view()->pairingButton()->toolTip(),
             QString::fromUtf8(view::texts::kNoParticipants));
    // So do the grey menu entries, in their tooltip and in the status bar.
    QAction* explain = run.action(Command::ExplainPairing);
    QVERIFY(!explain->isEnabled());
    QCOMPARE(explain->toolTip(), QString::fromUtf8(view::texts::kNoPairedRound));
    QCOMPARE(explain->statusTip(), explain->toolTip());
    shot(window, "first-01-start.png");

    event.newEvent(QStringLiteral("春季大会"));
    const QString documents = QDir(home()).filePath("Documents");
    QCOMPARE(event.pathShown, QDir::toNativeSeparators(documents + "/春季大会.tai"));
    QVERIFY(QFile::exists(documents + "/春季大会.tai"));
    QVERIFY(QFile::exists(documents + "/春季大会.ply"));
    QVERIFY(run.box.ui.errors().empty());
    // The command line starts from the same empty event.
    QDir box(run.box.dir.path());
    QVERIFY(box.mkdir("cli"));
    QVERIFY(QFile::copy(documents + "/春季大会.tai", box.filePath("cli/春季大会.tai")));
    QCOMPARE(run.view()->emptyListHint()->text(), QString::fromUtf8(view::texts::kEmptyTableHint));

    for (std::size_t i = 0; i < std::size(kEntrants); ++i)
      event.registerPlayer(kEntrants[i], i == 0);
    QVERIFY(run.view()->tableMode());
    event.addEveryone();
    QCOMPARE(t.rows(), 9);
    QVERIFY(run.view()->emptyListHint()->isHidden());
    shot(window, "first-05-participants.png");

    // Round 1: the bye proposed (nobody is placed yet: the last row), then keys.
    event.pairWithProposedBye("first-06-bye-question.png");
    QCOMPARE(t.opponent[8][0], data::kBye);
    QVERIFY(!run.view()->pairingButton()->isEnabled());
    QVERIFY(run.view()->pairingButton()->toolTip().startsWith("1回戦に結果の未入力があります: "));
    shot(window, "first-06-paired.png");
    event.resultsByKeys(0);
    // A key on a game that has its result asks first; No keeps it.
    const int k = 0;
    const int o = t.opponentRow(k, 0);
    const std::int16_t kept = t.result[k][0];
    run.box.ui.clear();
    run.box.ui.answers = {false};
    event.key(k, 0, kept == data::kLoss ? Qt::Key_W : Qt::Key_L);
    QCOMPARE(t.result[k][0], kept);
    QCOMPARE(run.box.ui.questions().size(), std::size_t{1});
    QVERIFY(run.box.ui.questions()[0].starts_with("1回戦 "));
    QVERIFY(o > k);
    shot(window, "first-06-results.png");

    // Round 2: results from the sheet opened on a cell; a cell of round 1 opens round 1.
    event.pairWithProposedBye();
    event.openSheetFrom(2, 0, [](ui::ResultSheetDialog* d) { d->reject(); });
    event.resultsBySheet(1);

    // Round 3 by keys; the last result taken back with one undo and entered again.
    event.pairWithProposedBye();
    event.resultsByKeys(2);
    int last = -1;
    for (int row = 0; row < t.rows(); ++row)
      if (t.opponentRow(row, 2) > row) last = row;
    QVERIFY(last >= 0);
    event.cli.removeLast();
    run.action(Command::Undo)->trigger();
    QCOMPARE(t.result[last][2], data::kResultNone);
    QCOMPARE(onDisk(documents + "/春季大会.tai")->result[last][2], data::kResultNone);
    run.box.ui.answers.clear();
    event.key(last, 2, Qt::Key_D);
    event.cli << QStringList{"result", event.file(".tai"), "3", QString::number(last + 1), "draw"}
                     .join('\t');
    QCOMPARE(t.OpenGames(2), 0);
    shot(window, "first-08-final.png");
    // The key hint leaves the status bar's message most of the room; its tooltip has it all.
    QCoreApplication::processEvents();
    QVERIFY(window->resultKeysHint()->isVisible());
    QVERIFY(window->resultKeysHint()->width() <= window->statusBar()->width() * 2 / 5 + 1);
    QCOMPARE(window->resultKeysHint()->toolTip(), QString::fromUtf8(view::kResultKeysHint));

    // コピー puts the selected lines on the clipboard as tab-separated text.
    run.select({0, 1});
    QVERIFY(run.action(Command::Copy)->isEnabled());
    run.action(Command::Copy)->trigger();
    const QStringList copied = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(copied.size(), 2);
    QCOMPARE(copied[0].split('\t').size(), run.view()->model()->columnCount());
    QCOMPARE(copied[0].split('\t')[1], QStringLiteral("青山"));

    // Every pairing wrote its round list for the viewer.
    QCOMPARE(run.box.ui.texts(services::RecordedMessage::Kind::Viewer).empty(), false);

    // The same event through toq-cli.
    const QString replayed = testing::replayWithCli(event.cli, box.filePath("cli"));
    QVERIFY2(replayed.isEmpty(), qPrintable(replayed));
    auto bytes = [](const QString& path) { return testing::readFile(ui::toPath(path)); };
    QCOMPARE(withoutPathLine(bytes(documents + "/春季大会.tai")),
             withoutPathLine(bytes(box.filePath("cli/春季大会.tai"))));
    QCOMPARE(bytes(documents + "/春季大会.ply"), bytes(box.filePath("cli/春季大会.ply")));
  }

  void theDialogStaysOpenWithTheInputWhenTheSaveFails() {
    // The documents folder cannot be made (a file has its name): the home folder is used.
    QFile blocker(QDir(home()).filePath("Documents"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QCOMPARE(ui::NewEventDialog::documentsFolder(), home());

    // Tab goes from the name to the games, the register choice and OK; 参照 comes last.
    {
      services::RecordingServices quiet;
      ui::NewEventDialog d(quiet);
      QList<QWidget*> order;
      for (QWidget* w = d.fileEdit()->nextInFocusChain(); w != d.fileEdit();
           w = w->nextInFocusChain())
        for (QWidget* field :
             {static_cast<QWidget*>(d.gamesBox()), static_cast<QWidget*>(d.keepButton()),
              static_cast<QWidget*>(d.okButton()), static_cast<QWidget*>(d.browseButton())})
          if (w == field && !order.contains(w)) order << w;
      QCOMPARE(order,
               (QList<QWidget*>{d.gamesBox(), d.keepButton(), d.okButton(), d.browseButton()}));
      QVERIFY(d.okButton()->isDefault());
      QVERIFY(!d.browseButton()->autoDefault());
    }

    RunningApp run(false);
    const QString bad = QDir(home()).filePath("Documents/sub/春季大会");
    const QString good = QDir(home()).filePath("春季大会");
    bool stayedOpen = false;
    auto dialog = Await::dialog<ui::NewEventDialog>([&](ui::NewEventDialog* d) {
      d->fileEdit()->setText(bad);
      d->gamesBox()->setValue(5);
      d->okButton()->click();
      // The save failed: the dialog, the typed name and the games are still there.
      stayedOpen = d->isVisible() && d->fileEdit()->text() == bad && d->gamesBox()->value() == 5 &&
                   d->failureLabel()->isVisible();
      d->fileEdit()->setText(good);
      d->okButton()->click();
    });
    run.action(Command::NewTable)->trigger();
    QVERIFY(dialog->handled());
    QVERIFY(stayedOpen);
    QCOMPARE(run.box.ui.errors().size(), std::size_t{1});
    QVERIFY(QFile::exists(good + ".tai"));
    QCOMPARE(run.ws().table.numberOfGames, 5);
  }

 private:
  std::unique_ptr<QTemporaryDir> homeDir_;
  QString home() const { return homeDir_->path(); }
};

QTEST_MAIN(FirstEventTest)
#include "first_event_test.moc"
