// Sitting out and withdrawing from the window: the round chosen in the dialog, nothing asked
// while no paired game is touched, one undo step each; and the rows put in rating order before
// round 1, offered by the pairing question.
#include <QComboBox>
#include <QtTest>

#include "edit/history.h"
#include "ui/commands.h"
#include "ui/dialogs/absence_dialog.h"
#include "ui/main_window.h"
#include "ui/support/await_dialog.h"
#include "ui/support/running_app.h"

using namespace toq;
using testing::Await;
using testing::button;
using testing::RunningApp;
using view::Command;

namespace {

// Answers the next round dialog with the round (1-based).
std::unique_ptr<Await> chooseRound(int round) {
  return Await::dialog<ui::AbsenceDialog>([round](ui::AbsenceDialog* d) {
    d->box()->setCurrentIndex(round - 1);
    button(d, "OK")->click();
  });
}

}  // namespace

class AbsenceCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void sitOutWithdrawAndTakeBackEachOneStep() {
    RunningApp run;
    edit::Workspace& ws = run.ws();
    // Row 3 withdraws from round 2; row 4 sits out round 1; then row 3 comes back.
    struct Step {
      int line;
      Command command;
      int round;
      int row;
      std::vector<std::int16_t> expected;  // the row's first three rounds afterwards
      const char* label;
    };
    const Step steps[] = {
        {6, Command::Withdraw, 2, 3, {data::kUnpaired, data::kAbsent, data::kAbsent}, "棄権"},
        {8, Command::SitOut, 1, 4, {data::kAbsent, data::kUnpaired, data::kUnpaired}, "休場"},
        {6,
         Command::TakeBackAbsence,
         2,
         3,
         {data::kUnpaired, data::kUnpaired, data::kUnpaired},
         "休場・棄権の取り消し"},
    };
    for (const Step& s : steps) {
      run.select({s.line});
      auto dialog = chooseRound(s.round);
      run.action(s.command)->trigger();
      QVERIFY(dialog->handled());
      const auto t = run.onDisk();
      for (int k = 0; k < 3; ++k) QCOMPARE(t->opponent[s.row][k], s.expected[std::size_t(k)]);
      QCOMPARE(QString::fromStdString(ws.history.undoStep()->label), QString::fromUtf8(s.label));
      QVERIFY(run.box.ui.questions().empty());  // no paired game touched: nothing asked
    }
    run.action(Command::Undo)->trigger();
    QCOMPARE(ws.table.opponent[3][1], data::kAbsent);
  }

  void theSortIsOfferedByThePairingQuestionBeforeRoundOne() {
    RunningApp run;
    edit::Workspace& ws = run.ws();
    // The sample is in rating order: shuffled, the pairing question offers the sort (Yes).
    ws.table.participantCount = 22;  // an even field: no bye to choose
    std::swap(ws.table.participants[0], ws.table.participants[5]);
    const int strongest = ws.table.participants[5];
    run.box.ui.answers = {true, true};
    run.app->commands()->run(Command::Pair);
    QCOMPARE(run.onDisk()->participants[0], strongest);
    QCOMPARE(ws.table.FirstUnpairedRound(), 1);  // sorted and paired in one command
    QVERIFY(run.box.ui.questions().front().find("レーティング順") != std::string::npos);
  }
};

QTEST_MAIN(AbsenceCommandsTest)
#include "absence_commands_test.moc"
