// The pairing button's bye question and ByeChoiceDialog: はい takes the proposal, 選び直す
// opens the list on the proposal and asks before a second bye, キャンセル takes nobody.
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "edit/bye_proposal.h"
#include "support/recording_services.h"
#include "text/cp932.h"
#include "ui/dialogs/bye_dialog.h"
#include "ui/support/await_dialog.h"

using namespace toq;
using testing::Await;
using testing::button;

namespace {

// Five amateurs; round 1: A beat B, C beat D, E had the bye.
std::unique_ptr<edit::Workspace> fivePlayers(services::Services& ui) {
  auto ws = std::make_unique<edit::Workspace>();
  for (const char* name : {"A", "B", "C", "D", "E"}) {
    data::Player p;
    p.name = text::sj(name);
    p.entries = 1;
    ws->players.AddPlayer(p);
    ws->table.AddParticipant(ws->players.at(ws->players.count()).number, ui);
  }
  data::Table& t = ws->table;
  t.setPair(0, 0, 1);
  t.result[0][0] = data::kWin;
  t.result[1][0] = data::kLoss;
  t.setPair(0, 2, 3);
  t.result[2][0] = data::kWin;
  t.result[3][0] = data::kLoss;
  t.opponent[4][0] = data::kBye;
  return ws;
}

}  // namespace

class ByeDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void theQuestionsThreeAnswers() {
    services::RecordingServices ui;
    auto ws = fivePlayers(ui);
    const std::optional<edit::ByeNeed> need = edit::byeNeeded(*ws, ui);
    QVERIFY(need);
    QVERIFY(need->proposal);
    QVERIFY(*need->proposal != 4);  // E sat out round 1

    struct Case {
      const char* what;
      std::function<void(QMessageBox*)> answer;
      std::function<void(ui::ByeChoiceDialog*)> choose;  // null: the list does not open
      std::deque<bool> answers;                          // to the second bye's question
      std::optional<int> expected;
    };
    const Case cases[] = {
        {"はい",
         [](QMessageBox* b) { button(b, "はい(&Y)")->click(); },
         nullptr,
         {},
         need->proposal},
        {"キャンセル",
         [](QMessageBox* b) { button(b, "キャンセル")->click(); },
         nullptr,
         {},
         std::nullopt},
        {"選び直す: E again, asked and refused, then the list is cancelled",
         [](QMessageBox* b) { button(b, "選び直す(&C)")->click(); },
         [](ui::ByeChoiceDialog* d) {
           for (int i = 0; i < d->list()->count(); ++i)
             if (d->list()->item(i)->data(Qt::UserRole).toInt() == 4) d->list()->setCurrentRow(i);
           button(d, "OK")->click();
         },
         {false},
         std::nullopt},
        {"選び直す: E again, asked and accepted",
         [](QMessageBox* b) { button(b, "選び直す(&C)")->click(); },
         [](ui::ByeChoiceDialog* d) {
           for (int i = 0; i < d->list()->count(); ++i)
             if (d->list()->item(i)->data(Qt::UserRole).toInt() == 4) d->list()->setCurrentRow(i);
           button(d, "OK")->click();
         },
         {true},
         4},
    };
    for (const Case& c : cases) {
      ui.clear();
      ui.answers = c.answers;
      auto question = Await::dialog<QMessageBox>(c.answer);
      bool listOpened = false;
      std::unique_ptr<Await> again;
      auto list = Await::dialog<ui::ByeChoiceDialog>([&](ui::ByeChoiceDialog* d) {
        listOpened = true;
        // The list opens on the proposal, lowest-placed first.
        QCOMPARE(d->choice(), need->proposal);
        QCOMPARE(d->list()->count(), 5);
        // After a No to the second bye the list comes again: then it is cancelled.
        if (!c.answers.empty() && !c.answers.front())
          again =
              Await::dialog<ui::ByeChoiceDialog>([](ui::ByeChoiceDialog* next) { next->reject(); });
        if (c.choose) c.choose(d);
      });
      const std::optional<int> chosen = ui::ByeChoiceDialog::ask(*need, *ws, ui, nullptr);
      QVERIFY2(question->handled(), c.what);
      QVERIFY2(chosen == c.expected, c.what);
      QVERIFY2(listOpened == (c.choose != nullptr), c.what);
      QCOMPARE(ui.questions().size(), c.answers.size());
      if (again) QVERIFY2(again->handled(), c.what);
    }
  }
};

QTEST_MAIN(ByeDialogTest)
#include "bye_dialog_test.moc"
