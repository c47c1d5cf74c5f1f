// The round's result sheet driven by the keyboard alone: the focus on the first game, Up and
// Down between games, 1/2/3/0 choosing (and moving on), Enter for OK, Escape for キャンセル, the
// round chooser; on a round with a handicap game, an even game with and one without sides, a
// professional on three boards, a bye and an absence. Applied as one write and one undo step.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "data/table_file.h"
#include "edit/history.h"
#include "edit/result_sheet.h"
#include "support/builders.h"
#include "support/recording_services.h"
#include "text/cp932.h"
#include "ui/dialogs/result_sheet_dialog.h"
#include "ui/qt_text.h"
#include "ui/support/await_dialog.h"

using namespace toq;
using testing::Await;

namespace {

// A key as the user presses it: to whatever has the focus.
void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget* focus = QApplication::focusWidget();
  QVERIFY(focus);
  QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
}

QStringList texts(const QComboBox* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->itemText(i);
  return out;
}

// A professional on three boards (rows 0-2) and five amateurs A-E (rows 3-7). Round 1 is
// complete; round 2: 0 gives 3 a bishop (3 moves first), 1 (first) against 6, 2 against 4
// without sides, 5 a bye, 7 absent.
std::unique_ptr<edit::Workspace> tournament(const std::filesystem::path& dir) {
  auto ws = std::make_unique<edit::Workspace>();
  services::RecordingServices quiet;
  data::Table& t = ws->table;
  t.numberOfGames = 3;
  t.SetTableFile(dir / "cup.tai");
  auto addPlayer = [&](const char* name, int rating, int rows, bool pro) {
    data::Player p;
    p.name = text::sj(name);
    p.rating = rating;
    p.professional = pro ? 1 : 0;
    p.entries = rows;
    ws->players.AddPlayer(p);
    for (int i = 0; i < rows; ++i)
      t.AddParticipant(ws->players.at(ws->players.count()).number, quiet);
  };
  addPlayer("プロ", 2000, 3, true);
  for (const char* name : {"A", "B", "C", "D", "E"}) addPlayer(name, 1500, 1, false);
  auto play = [&](int round, int a, int b, std::int16_t resultOfA) {
    t.setPair(round, a, b);
    t.result[a][round] = resultOfA;
    t.result[b][round] = data::oppositeResult(resultOfA);
  };
  for (int a = 0; a < 8; a += 2) play(0, a, a + 1, data::kWin);
  play(1, 0, 3, data::kResultNone);
  t.handicap[0][1] = 2;
  t.handicap[3][1] = -2;
  t.side[0][1] = data::kSideSecond;
  t.side[3][1] = data::kSideFirst;
  play(1, 6, 1, data::kResultNone);
  t.side[1][1] = data::kSideFirst;
  t.side[6][1] = data::kSideSecond;
  play(1, 4, 2, data::kResultNone);
  t.opponent[5][1] = data::kBye;
  t.opponent[7][1] = data::kAbsent;
  return ws;
}

}  // namespace

class ResultSheetDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void aRoundEnteredByKeyboardIsOneWriteAndOneUndoStep() {
    QTemporaryDir dir;
    auto ws = tournament(ui::toPath(dir.path()));
    services::RecordingServices ui;
    QCOMPARE(data::WriteTableFile(ws->table, {}, ui), 0);
    const std::string before = testing::readFile(ws->table.filePath);
    ui.clear();

    QStringList shown;
    QString sittingOut;
    bool focusedFirst = false;
    auto await = Await::dialog<ui::ResultSheetDialog>([&](ui::ResultSheetDialog* d) {
      // A failed check must not leave the dialog open.
      auto close = qScopeGuard([d] {
        if (d->isVisible()) d->reject();
      });
      QVERIFY(QTest::qWaitForWindowActive(d));
      QCOMPARE(d->windowTitle(), QStringLiteral("結果の一括入力"));
      QCOMPARE(d->roundList()->currentText(), QStringLiteral("2回戦"));
      QCOMPARE(d->games().size(), 3);
      focusedFirst = QApplication::focusWidget() == d->games()[0];
      for (QComboBox* g : d->games()) shown << g->accessibleName() + " | " + texts(g).join(",");
      sittingOut = d->sittingOut()->text();
      press(Qt::Key_1);  // プロ (上手, named first) wins, and on to the second game
      QCOMPARE(QApplication::focusWidget(), d->games()[1]);
      press(Qt::Key_Up);
      press(Qt::Key_0);  // changed my mind: no result
      QCOMPARE(d->games()[0]->currentIndex(), edit::kSheetNoResult);
      press(Qt::Key_Up);
      press(Qt::Key_1);
      press(Qt::Key_1);  // プロ (先手) wins
      press(Qt::Key_3);  // a draw; the last game keeps the focus
      QCOMPARE(QApplication::focusWidget(), d->games()[2]);
      press(Qt::Key_Return);
    });
    const edit::Outcome done = edit::recorded(*ws, edit::resultSheetLabel(1), [&] {
      return edit::enterResultSheet(*ws, ui, [&](const edit::ResultSheet& sheet) {
        return ui::ResultSheetDialog::choose(sheet, nullptr);
      });
    });
    QVERIFY(await->handled());
    QVERIFY(focusedFirst);
    QCOMPARE(shown, (QStringList{
                        "1 (上手) プロ 対 (下手) A 角落ち | プロ 勝ち,A 勝ち,引き分け,未入力",
                        "2 (先手) プロ 対 (後手) D 平手 | プロ 勝ち,D 勝ち,引き分け,未入力",
                        "3 プロ 対 B 平手 | プロ 勝ち,B 勝ち,引き分け,未入力",
                    }));
    QCOMPARE(sittingOut, QStringLiteral("C　抜け番\nE　休場"));

    QCOMPARE(done.code, 0);
    const data::Table& t = ws->table;
    QCOMPARE(t.result[0][1], data::kWin);  // the giver
    QCOMPARE(t.result[3][1], data::kLoss);
    QCOMPARE(t.result[1][1], data::kWin);
    QCOMPARE(t.result[6][1], data::kLoss);
    QCOMPARE(t.result[2][1], data::kDraw);
    QCOMPARE(t.result[4][1], data::kDraw);
    QCOMPARE(t.handicap[3][1], std::int16_t(-2));
    QCOMPARE(ui.statuses().size(), std::size_t(2));  // one save, then the count
    QCOMPARE(ui.statuses().back(), std::string("結果の未入力は 0組"));
    QCOMPARE(ws->history.undoCount(), std::size_t(1));
    QCOMPARE(edit::undo(*ws, ui).code, 0);
    QCOMPARE(testing::readFile(ws->table.filePath), before);
  }

  // Whichever side the player named first on a line plays, 1 enters his win and 2 the other's.
  void aKeyEntersTheWinOfTheNameItStandsForWhenTheSecondMoverStandsLeft() {
    QTemporaryDir dir;
    auto ws = tournament(ui::toPath(dir.path()));
    data::Table& t = ws->table;
    t.side[1][1] = data::kSideSecond;  // board 2: the second mover on the left as on board 1
    t.side[6][1] = data::kSideFirst;
    const struct {
      int board;
      Qt::Key key;
      int left, right;
      std::int16_t leftResult;
    } cases[] = {
        {0, Qt::Key_1, 0, 3, data::kWin},  {0, Qt::Key_2, 0, 3, data::kLoss},
        {1, Qt::Key_1, 1, 6, data::kWin},  {1, Qt::Key_2, 1, 6, data::kLoss},
        {1, Qt::Key_3, 1, 6, data::kDraw},
    };
    services::RecordingServices ui;
    for (const auto& c : cases) {
      for (int row : {0, 1, 3, 6}) t.result[row][1] = data::kResultNone;
      auto await = Await::dialog<ui::ResultSheetDialog>([&](ui::ResultSheetDialog* d) {
        QVERIFY(QTest::qWaitForWindowActive(d));
        for (int i = 0; i < c.board; ++i) press(Qt::Key_Down);
        press(c.key);
        press(Qt::Key_Return);
      });
      QCOMPARE(edit::enterResultSheet(*ws, ui,
                                      [&](const edit::ResultSheet& sheet) {
                                        return ui::ResultSheetDialog::choose(sheet, nullptr);
                                      })
                   .code,
               0);
      QVERIFY(await->handled());
      QCOMPARE(t.result[c.left][1], c.leftResult);
      QCOMPARE(t.result[c.right][1], data::oppositeResult(c.leftResult));
    }
  }

  // Only the last board lacks a result: the sheet opens on it, its whole line in sight.
  void theSheetOpensOnTheFirstGameWithoutAResultAndShowsItsWholeLine() {
    QTemporaryDir dir;
    auto ws = std::make_unique<edit::Workspace>();
    services::RecordingServices ui;
    data::Table& t = ws->table;
    t.numberOfGames = 3;
    t.SetTableFile(ui::toPath(dir.path()) / "cup.tai");
    data::Player p;
    for (int i = 0; i < 28; ++i) {
      p.name = "P" + std::to_string(i);
      ws->players.AddPlayer(p);
      t.AddParticipant(ws->players.at(i + 1).number, ui);
    }
    for (int a = 0; a < 28; a += 2) t.setPair(0, a, a + 1);
    for (int a = 0; a < 26; ++a) t.result[a][0] = a % 2 ? data::kLoss : data::kWin;
    auto sheet = edit::resultSheet(*ws, ui);
    QVERIFY(sheet);
    ui::ResultSheetDialog d(*sheet);
    d.show();
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QTRY_COMPARE(d.highlightedGame(), 13);
    QComboBox* last = d.games()[13];
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(last));
    QWidget* viewport = d.scrollArea()->viewport();
    const QRect line(last->mapTo(viewport, QPoint(0, 0)), last->size());
    QVERIFY2(viewport->rect().contains(line), "the last board's line is not whole in sight");
    d.reject();
  }

  void theRoundChooserAndEscape() {
    QTemporaryDir dir;
    auto ws = tournament(ui::toPath(dir.path()));
    services::RecordingServices ui;
    auto sheet = edit::resultSheet(*ws, ui);
    QVERIFY(sheet);
    ui::ResultSheetDialog d(*sheet);
    d.show();
    d.activateWindow();  // no window manager under xvfb activates it
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QCOMPARE(QApplication::focusWidget(), d.games()[0]);
    press(Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), d.roundList());
    press(Qt::Key_Up);  // round 1
    QCOMPARE(d.answer().round, 0);
    QCOMPARE(d.games().size(), 4);
    for (QComboBox* g : d.games()) QCOMPARE(g->currentIndex(), edit::kSheetFirstWins);
    QVERIFY(d.sittingOut()->isHidden());
    press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), d.games()[0]);
    QCOMPARE(d.highlightedGame(), 0);
    // The game has its result: a key that changes it asks first; No keeps it, Yes changes it.
    QString asked;
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
      auto box = Await::dialog<QMessageBox>([&](QMessageBox* b) {
        asked = b->text();
        QCOMPARE(b->defaultButton(), b->button(QMessageBox::No));  // Enter keeps the result
        b->button(answer)->click();
      });
      QTest::keyClick(d.games()[0], Qt::Key_3);
      QVERIFY(box->handled());
      QCOMPARE(d.answer().choices[0], answer == QMessageBox::No ? 0 : 2);
    }
    QVERIFY(asked.startsWith(QStringLiteral("第1局 ")));
    QVERIFY(asked.endsWith(QStringLiteral("「引き分け」に変えますか？")));
    QCOMPARE(d.answer().choices, (std::vector<int>{2, 0, 0, 0}));
    QCOMPARE(d.highlightedGame(), 1);  // on to the next game
    QTest::keyClick(&d, Qt::Key_Escape);
    QCOMPARE(d.result(), int(QDialog::Rejected));

    // キャンセル through choose(): no answer.
    auto await = Await::dialog<ui::ResultSheetDialog>([](ui::ResultSheetDialog* d) {
      auto close = qScopeGuard([d] {
        if (d->isVisible()) d->accept();  // seen as a failure below
      });
      QVERIFY(QTest::qWaitForWindowActive(d));
      press(Qt::Key_1);
      press(Qt::Key_Escape);
    });
    QVERIFY(!ui::ResultSheetDialog::choose(*sheet, nullptr));
    QVERIFY(await->handled());
  }
};

QTEST_MAIN(ResultSheetDialogTest)
#include "result_sheet_dialog_test.moc"
