// The window without the mouse: the mode's radio buttons switched by assistive technology's
// toggle and press actions switch the list like a click, and every dialog opens with the focus
// on its first choice.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>
#include <functional>
#include <memory>

#include "support/recording_services.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/add_participant_dialog.h"
#include "ui/dialogs/handicap_dialog.h"
#include "ui/dialogs/handicap_result_dialog.h"
#include "ui/dialogs/new_event_dialog.h"
#include "ui/dialogs/number_of_games_dialog.h"
#include "ui/dialogs/opponent_dialog.h"
#include "ui/dialogs/player_dialog.h"
#include "ui/dialogs/result_dialog.h"
#include "ui/dialogs/result_sheet_dialog.h"
#include "ui/dialogs/settings_dialog.h"
#include "ui/main_view.h"
#include "ui/support/running_app.h"
#include "ui/table_model.h"

using namespace toq;
using testing::RunningApp;

namespace {

// Runs an accessible action of a widget, as a screen reader does.
void accessibleAction(QWidget* widget, const QString& action) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
  QVERIFY(face);
  QAccessibleActionInterface* actions = face->actionInterface();
  QVERIFY(actions);
  QVERIFY2(actions->actionNames().contains(action), qPrintable(action));
  actions->doAction(action);
}

// A dialog, and the widget that must hold the focus when it opens.
struct DialogCase {
  const char* name;
  std::function<std::unique_ptr<QDialog>()> make;
  std::function<QWidget*(QDialog*)> first;
};

template <class T>
T* firstChild(QDialog* d) {
  const auto all = d->findChildren<T*>();
  return all.isEmpty() ? nullptr : all.front();
}

class KeyboardAccessTest : public QObject {
  Q_OBJECT

 private slots:
  void theModeFollowsTheRadioButtonsHoweverSwitched() {
    RunningApp run;
    ui::MainView* view = run.view();
    QVERIFY(view->tableMode());
    const int tableLines = view->model()->rowCount();
    // The radio buttons' action is the toggle.
    accessibleAction(view->playerRadio(), QAccessibleActionInterface::toggleAction());
    QTRY_VERIFY(!view->tableMode());
    QVERIFY(view->playerRadio()->isChecked() && !view->tableRadio()->isChecked());
    QCOMPARE(view->model()->rowCount(), run.ws().players.count());
    accessibleAction(view->tableRadio(), QAccessibleActionInterface::toggleAction());
    QTRY_VERIFY(view->tableMode());
    QCOMPARE(view->model()->rowCount(), tableLines);
    // Set by the program (opening a register file does): the same.
    view->playerRadio()->setChecked(true);
    QVERIFY(!view->tableMode());
    view->setTableMode(true);
    QVERIFY(view->tableRadio()->isChecked() && view->tableMode());
  }

  void everyDialogOpensOnItsFirstChoice() {
    services::RecordingServices quiet;
    edit::HandicapQuestion handicap;
    handicap.title = "1";
    edit::OpponentChoices opponents;
    opponents.title = "1";
    opponents.entries.push_back({});
    edit::ResultQuestion result;
    edit::ResultSheet sheet;
    edit::RoundSheet round;
    round.round = 0;
    round.title = "1";
    round.games.push_back({});
    round.games.back().board = 1;
    sheet.rounds.push_back(round);
    const std::vector<edit::ParticipantChoice> choices{{"A", 1}, {"B", 2}};
    const std::vector<DialogCase> cases = {
        {"about", [] { return std::make_unique<ui::AboutDialog>(); },
         [](QDialog* d) -> QWidget* { return firstChild<QPushButton>(d); }},
        {"add participant", [&] { return std::make_unique<ui::AddParticipantDialog>(choices); },
         [](QDialog* d) -> QWidget* { return static_cast<ui::AddParticipantDialog*>(d)->list(); }},
        {"handicap", [&] { return std::make_unique<ui::HandicapDialog>(handicap); },
         [](QDialog* d) -> QWidget* {
           return static_cast<ui::HandicapDialog*>(d)->handicapList();
         }},
        {"handicap and result",
         [&] { return std::make_unique<ui::HandicapResultDialog>(handicap); },
         [](QDialog* d) -> QWidget* {
           return static_cast<ui::HandicapDialog*>(d)->handicapList();
         }},
        {"new event", [&] { return std::make_unique<ui::NewEventDialog>(quiet); },
         [](QDialog* d) -> QWidget* { return firstChild<QLineEdit>(d); }},
        {"number of games",
         [&] { return std::make_unique<ui::NumberOfGamesDialog>(edit::GamesQuestion{5}, quiet); },
         [](QDialog* d) -> QWidget* { return static_cast<ui::NumberOfGamesDialog*>(d)->box(); }},
        {"opponent", [&] { return std::make_unique<ui::OpponentDialog>(opponents); },
         [](QDialog* d) -> QWidget* { return static_cast<ui::OpponentDialog*>(d)->list(); }},
        {"player", [&] { return std::make_unique<ui::PlayerDialog>(edit::PlayerForm{}, quiet); },
         [](QDialog* d) -> QWidget* { return firstChild<QLineEdit>(d); }},
        {"result", [&] { return std::make_unique<ui::ResultDialog>(result); },
         [](QDialog* d) -> QWidget* { return static_cast<ui::ResultDialog*>(d)->list(); }},
        {"result sheet", [&] { return std::make_unique<ui::ResultSheetDialog>(sheet); },
         [](QDialog* d) -> QWidget* {
           return static_cast<ui::ResultSheetDialog*>(d)->games().front();
         }},
        {"settings", [] { return std::make_unique<ui::SettingsDialog>(pairing::PairingOptions{}); },
         [](QDialog* d) -> QWidget* { return firstChild<QCheckBox>(d); }},
    };
    for (const DialogCase& c : cases) {
      std::unique_ptr<QDialog> d = c.make();
      d->show();
      QVERIFY(QTest::qWaitForWindowExposed(d.get()));
      QWidget* expected = c.first(d.get());
      QVERIFY2(expected, c.name);
      QVERIFY2(d->focusWidget() == expected, c.name);
      d->reject();
    }
  }
};

}  // namespace

QTEST_MAIN(KeyboardAccessTest)
#include "keyboard_access_test.moc"
