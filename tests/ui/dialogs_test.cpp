// The data-entry dialogs on hand-built tables: captions, labelled controls, every list's
// entries and order, preselection, the side list that follows the handicap, the validation of
// typed values, and both OK and キャンセル.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include "edit/handicap_edits.h"
#include "edit/opponent_choices.h"
#include "edit/participants.h"
#include "edit/results.h"
#include "support/builders.h"
#include "text/cp932.h"
#include "ui/dialogs/add_participant_dialog.h"
#include "ui/dialogs/handicap_dialog.h"
#include "ui/dialogs/handicap_result_dialog.h"
#include "ui/dialogs/number_of_games_dialog.h"
#include "ui/dialogs/opponent_dialog.h"
#include "ui/dialogs/player_dialog.h"
#include "ui/dialogs/result_dialog.h"
#include "ui/dialogs/walk_in_dialog.h"
#include "ui/support/await_dialog.h"

using namespace toq;
using testing::Await;
using testing::button;

namespace {

QStringList items(const QComboBox* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->itemText(i);
  return out;
}

QList<int> numbers(const QComboBox* list) {
  QList<int> out;
  for (int i = 0; i < list->count(); ++i) out << list->itemData(i).toInt();
  return out;
}

// Types into a spin box as the keyboard does, replacing its text.
void type(QSpinBox* box, const QString& text) {
  box->selectAll();
  QTest::keyClick(box, Qt::Key_Backspace);
  QTest::keyClicks(box, text);
}

// The label whose buddy is the control: what assistive technology reads for it.
QString labelOf(QWidget* control) {
  for (QLabel* l : control->parentWidget()->findChildren<QLabel*>())
    if (l->buddy() == control) return l->text();
  return {};
}

// A workspace of plain players; `rows` of them are participants.
std::unique_ptr<edit::Workspace> workspace(const std::vector<const char*>& names, int rows,
                                           int games = 5) {
  auto ws = std::make_unique<edit::Workspace>();
  ws->table.numberOfGames = games;
  services::RecordingServices quiet;
  for (std::size_t i = 0; i < names.size(); ++i) {
    data::Player p;
    p.name = text::sj(names[i]);
    p.rating = 1800 - 50 * static_cast<int>(i);
    ws->players.AddPlayer(p);
    if (static_cast<int>(i) < rows)
      ws->table.AddParticipant(ws->players.at(ws->players.count()).number, quiet);
  }
  return ws;
}

void pairUp(data::Table& t, int round, int a, int b, std::int16_t resultOfA) {
  t.setPair(round, a, b);
  t.result[a][round] = resultOfA;
  t.result[b][round] = resultOfA == data::kWin    ? data::kLoss
                       : resultOfA == data::kLoss ? data::kWin
                                                  : resultOfA;
}

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  // Every placeholder is read whole: the walk-in's grade, the affiliation, the search.
  void placeholdersFitTheirFields() {
    ui::WalkInDialog walkIn;
    services::RecordingServices quiet;
    ui::PlayerDialog player(edit::newPlayerForm(), quiet);
    for (QDialog* d : {static_cast<QDialog*>(&walkIn), static_cast<QDialog*>(&player)}) {
      d->show();
      QVERIFY(QTest::qWaitForWindowExposed(d));
      for (QLineEdit* e : d->findChildren<QLineEdit*>()) {
        if (e->placeholderText().isEmpty()) continue;
        const int room = e->width() - 12;
        QVERIFY2(e->fontMetrics().horizontalAdvance(e->placeholderText()) <= room,
                 qPrintable(e->placeholderText()));
      }
      d->reject();
    }
  }

  void registrationDialogShowsLabelledFieldsAndValidates() {
    services::RecordingServices ui;
    ui::PlayerDialog fresh(edit::newPlayerForm(), ui);
    QCOMPARE(fresh.windowTitle(), QStringLiteral("参加者の新規登録"));
    QCOMPARE(fresh.nameEdit()->text(), QString());
    QCOMPARE(fresh.ratingEdit()->text(), QStringLiteral("1600"));
    QVERIFY(!fresh.professionalBox()->isChecked());
    QCOMPARE(fresh.professionalBox()->text(), QStringLiteral("プロ棋士（プロ同士組み合わせない）"));
    QCOMPARE(labelOf(fresh.nameEdit()), QStringLiteral("氏名："));
    QCOMPARE(labelOf(fresh.shortNameEdit()), QStringLiteral("省略名："));
    QCOMPARE(labelOf(fresh.ratingEdit()), QStringLiteral("レーティング点："));
    QCOMPARE(labelOf(fresh.affiliationEdit()), QStringLiteral("所属："));

    edit::PlayerForm form{"羽生 善治", "羽生", 2100, true, "青山道場"};
    ui::PlayerDialog edit(form, ui);
    QCOMPARE(edit.affiliationEdit()->text(), QStringLiteral("青山道場"));
    QCOMPARE(edit.windowTitle(), QStringLiteral("棋士データの編集"));
    QCOMPARE(edit.nameEdit()->text(), QStringLiteral("羽生 善治"));
    QCOMPARE(edit.shortNameEdit()->text(), QStringLiteral("羽生"));
    QVERIFY(edit.professionalBox()->isChecked());

    // Too long (in characters, not bytes), then not an integer: each refused with its message.
    edit.nameEdit()->setText(QString(256, QChar(0x3042)));
    edit.accept();
    QCOMPARE(edit.result(), int(QDialog::Rejected));
    edit.nameEdit()->setText(QString(255, QChar(0x3042)));
    edit.shortNameEdit()->setText(QString(256, QLatin1Char('x')));
    edit.accept();
    QCOMPARE(edit.result(), int(QDialog::Rejected));
    edit.shortNameEdit()->setText(QStringLiteral("羽生"));
    for (const char* bad : {"12a", "", "1.5"}) {
      edit.ratingEdit()->setText(QString::fromUtf8(bad));
      edit.accept();
      QCOMPARE(edit.result(), int(QDialog::Rejected));
    }
    QCOMPARE(ui.warnings(), (std::vector<std::string>{
                                "255 文字以内で入力してください。",
                                "255 文字以内で入力してください。", "整数を入力してください。",
                                "整数を入力してください。", "整数を入力してください。"}));
    QCOMPARE(QString::fromStdString(ui.messages.front().caption), QStringLiteral("TOQ"));

    edit.ratingEdit()->setText(QStringLiteral(" -150 "));
    edit.professionalBox()->setChecked(false);
    edit.accept();
    QCOMPARE(edit.result(), int(QDialog::Accepted));
    const edit::PlayerForm out = edit.form();
    QCOMPARE(out.rating, -150);
    QVERIFY(!out.professional);
    QCOMPARE(QString::fromStdString(out.shortName), QStringLiteral("羽生"));
    QCOMPARE(QString::fromStdString(out.name).size(), 255);
    QCOMPARE(QString::fromStdString(out.affiliation), QStringLiteral("青山道場"));
  }

  void registrationDialogOkAndCancel() {
    services::RecordingServices ui;
    auto ok = Await::dialog<ui::PlayerDialog>([](ui::PlayerDialog* d) {
      d->nameEdit()->setText(QStringLiteral("新人"));
      button(d, QStringLiteral("OK"))->click();
    });
    auto form = ui::PlayerDialog::ask(edit::newPlayerForm(), ui, nullptr);
    QVERIFY(ok->handled());
    QVERIFY(form.has_value());
    QCOMPARE(QString::fromStdString(form->name), QStringLiteral("新人"));
    QCOMPARE(form->rating, 1600);

    auto cancel = Await::dialog<ui::PlayerDialog>(
        [](ui::PlayerDialog* d) { button(d, QStringLiteral("キャンセル"))->click(); });
    QVERIFY(!ui::PlayerDialog::ask(edit::newPlayerForm(), ui, nullptr).has_value());
    QVERIFY(cancel->handled());
  }

  void participantChooserListsPlayersNotInTheTableInOrder() {
    auto ws = workspace({"一", "二", "三", "四", "五"}, 2);
    ws->players.at(3).klass = 5;  // another class: offered after class 0 and the table's class
    ws->players.at(4).klass = 7;  // フリークラス: never offered
    const auto choices = edit::participantChoices(*ws);
    ui::AddParticipantDialog dialog(choices);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("対戦表に追加"));
    QCOMPARE(labelOf(dialog.list()), QStringLiteral("棋士："));
    QStringList shown;
    for (int i = 0; i < dialog.list()->count(); ++i) shown << dialog.list()->item(i)->text();
    QCOMPARE(shown, (QStringList{QStringLiteral("五"), QStringLiteral("三")}));
    QVERIFY(dialog.choices().empty());
    dialog.list()->item(1)->setSelected(true);
    QCOMPARE(dialog.choices(), std::vector<int>{3});
    dialog.list()->selectAll();  // several at once, in list order
    QCOMPARE(dialog.choices(), (std::vector<int>{5, 3}));

    // OK without a selection chooses nobody; キャンセル after a selection neither.
    auto none = Await::dialog<ui::AddParticipantDialog>(
        [](ui::AddParticipantDialog* d) { button(d, QStringLiteral("OK"))->click(); });
    QVERIFY(ui::AddParticipantDialog::choose(choices, nullptr).empty());
    QVERIFY(none->handled());
    auto cancel = Await::dialog<ui::AddParticipantDialog>([](ui::AddParticipantDialog* d) {
      d->list()->item(0)->setSelected(true);
      button(d, QStringLiteral("キャンセル"))->click();
    });
    QVERIFY(ui::AddParticipantDialog::choose(choices, nullptr).empty());
    auto ok = Await::dialog<ui::AddParticipantDialog>([](ui::AddParticipantDialog* d) {
      d->list()->item(0)->setSelected(true);
      button(d, QStringLiteral("OK"))->click();
    });
    QCOMPARE(ui::AddParticipantDialog::choose(choices, nullptr), std::vector<int>{5});
  }

  void opponentChooserShowsTheThreeSectionsWithoutPreselection() {
    // Row 0 met row 1 twice and row 2 once; rows 3 and 4 are new; row 5 is paired already.
    auto ws = workspace({"青山", "桜井", "藤森", "宮下", "西田", "今村"}, 6);
    data::Table& t = ws->table;
    pairUp(t, 0, 0, 1, data::kWin);
    pairUp(t, 0, 2, 3, data::kWin);
    pairUp(t, 0, 4, 5, data::kWin);
    pairUp(t, 1, 0, 1, data::kLoss);
    pairUp(t, 1, 2, 4, data::kWin);
    pairUp(t, 1, 3, 5, data::kWin);
    pairUp(t, 2, 0, 2, data::kDraw);
    pairUp(t, 2, 1, 3, data::kWin);
    pairUp(t, 2, 4, 5, data::kWin);
    t.setPair(3, 5, 1);
    services::RecordingServices ui;
    const auto d = edit::opponentChoices(*ws, ui, 0);
    QVERIFY(d.has_value());
    ui::OpponentDialog dialog(*d);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("4回戦　青山  対戦相手の指定"));
    QCOMPARE(labelOf(dialog.list()), QStringLiteral("対戦相手："));
    QCOMPARE(
        items(dialog.list()),
        (QStringList{QStringLiteral("宮下"), QStringLiteral("西田"), QStringLiteral("（抜け番）"),
                     QStringLiteral("--- 以下は過去に対戦済 ---"), QStringLiteral("藤森")}));
    QCOMPARE(numbers(dialog.list()), (QList<int>{4, 5, data::kBye, data::kBye, 3}));
    QCOMPARE(dialog.list()->currentIndex(), -1);
    QVERIFY(!dialog.choice().has_value());
    // The separator stands for a bye, like the bye entry itself.
    dialog.list()->setCurrentIndex(3);
    QCOMPARE(dialog.choice().value(), int(data::kBye));

    // Once round 3 is played otherwise, 桜井, met twice, shows the padded count.
    t.ClearRound(3);
    t.ClearRound(2);
    pairUp(t, 2, 0, 4, data::kWin);
    pairUp(t, 2, 2, 5, data::kWin);
    const auto d1 = edit::opponentChoices(*ws, ui, 0);
    ui::OpponentDialog again(*d1);
    QVERIFY(items(again.list()).contains(QStringLiteral("桜井             2回")));

    auto ok = Await::dialog<ui::OpponentDialog>([](ui::OpponentDialog* w) {
      w->list()->setCurrentIndex(1);
      button(w, QStringLiteral("OK"))->click();
    });
    QCOMPARE(ui::OpponentDialog::choose(*d, nullptr).value(), 5);
    auto cancel = Await::dialog<ui::OpponentDialog>([](ui::OpponentDialog* w) {
      w->list()->setCurrentIndex(1);
      button(w, QStringLiteral("キャンセル"))->click();
    });
    QVERIFY(!ui::OpponentDialog::choose(*d, nullptr).has_value());
    QVERIFY(cancel->handled());
  }

  void resultDialogPreselectsTheStoredResult() {
    auto ws = workspace({"青山", "桜井"}, 2);
    services::RecordingServices ui;
    const struct {
      std::int16_t result;
      int position;
    } cases[] = {{data::kWin, 0}, {data::kLoss, 1}, {data::kDraw, 2}, {data::kResultNone, 3}};
    for (const auto& c : cases) {
      ws->table.ClearRound(2);
      pairUp(ws->table, 2, 1, 0, c.result);
      const auto d = edit::resultQuestion(*ws, ui, 1, 2);
      QVERIFY(d.has_value());
      ui::ResultDialog dialog(*d);
      QCOMPARE(dialog.windowTitle(), QStringLiteral("桜井 対 青山"));
      QCOMPARE(dialog.label()->text(), QStringLiteral("3回戦の勝敗"));
      QCOMPARE(labelOf(dialog.list()), QStringLiteral("3回戦の勝敗"));
      QCOMPARE(items(dialog.list()),
               (QStringList{QStringLiteral("勝ち"), QStringLiteral("負け"),
                            QStringLiteral("引き分け"), QStringLiteral("取り消し")}));
      QCOMPARE(dialog.list()->currentIndex(), c.position);
      QCOMPARE(dialog.result(), int{c.result});
    }
    const auto d = edit::resultQuestion(*ws, ui, 1, 2);
    auto ok = Await::dialog<ui::ResultDialog>([](ui::ResultDialog* w) {
      w->list()->setCurrentIndex(2);
      button(w, QStringLiteral("OK"))->click();
    });
    QCOMPARE(ui::ResultDialog::choose(*d, nullptr).value(), int{data::kDraw});
    auto cancel = Await::dialog<ui::ResultDialog>(
        [](ui::ResultDialog* w) { button(w, QStringLiteral("キャンセル"))->click(); });
    QVERIFY(!ui::ResultDialog::choose(*d, nullptr).has_value());
  }

  void gamesDialogStepsToFifteenAndTakesUpToThirtyTwo() {
    services::RecordingServices ui;
    edit::GamesQuestion range;
    range.current = 14;
    ui::NumberOfGamesDialog dialog(range, ui);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("試合数の変更"));
    QCOMPARE(labelOf(dialog.box()), QStringLiteral("試合数："));
    QCOMPARE(dialog.box()->value(), 14);
    dialog.box()->stepUp();
    dialog.box()->stepUp();
    QCOMPARE(dialog.box()->value(), 15);  // the arrows stop at 15
    QTest::keyClick(dialog.box(), Qt::Key_Up);
    QCOMPARE(dialog.box()->value(), 15);
    dialog.box()->setValue(2);
    dialog.box()->stepDown();
    dialog.box()->stepDown();
    QCOMPARE(dialog.box()->value(), 1);

    // Typed values: 20 is taken; 0, 33 and an empty box are refused with the range message.
    for (const char* bad : {"0", "33", ""}) {
      type(dialog.box(), QString::fromUtf8(bad));
      dialog.accept();
      QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
    QCOMPARE(ui.warnings(),
             std::vector<std::string>(3, "1 から 32 までの整数を入力してください。"));
    type(dialog.box(), QStringLiteral("20"));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.games(), 20);

    auto ok = Await::dialog<ui::NumberOfGamesDialog>([](ui::NumberOfGamesDialog* w) {
      type(w->box(), QStringLiteral("32"));
      button(w, QStringLiteral("OK"))->click();
    });
    QCOMPARE(ui::NumberOfGamesDialog::ask(range, ui, nullptr).value(), 32);
    auto cancel = Await::dialog<ui::NumberOfGamesDialog>(
        [](ui::NumberOfGamesDialog* w) { button(w, QStringLiteral("キャンセル"))->click(); });
    QVERIFY(!ui::NumberOfGamesDialog::ask(range, ui, nullptr).has_value());
  }

  void handicapDialogsPreselectAndTheSideListFollowsTheHandicap() {
    auto ws = workspace({"青山", "桜井"}, 2);
    services::RecordingServices ui;
    data::Table& t = ws->table;
    t.setPair(0, 0, 1);
    const QStringList handicaps = {"平手",     "香落ち",   "角落ち",   "飛車落ち",
                                   "飛香落ち", "二枚落ち", "四枚落ち", "六枚落ち"};
    const struct {
      int code;
      int position;
    } cases[] = {{7, 6}, {-10, 7}, {0, 0}, {-1, 1}};
    for (const auto& c : cases) {
      t.handicap[0][0] = static_cast<std::int16_t>(c.code);
      t.handicap[1][0] = static_cast<std::int16_t>(-c.code);
      t.side[0][0] = data::kSideFirst;
      t.side[1][0] = data::kSideSecond;
      ui::HandicapDialog dialog(*edit::handicapQuestion(*ws, ui, 0, 0, false));
      QCOMPARE(dialog.windowTitle(), QStringLiteral("1回戦 青山 対 桜井 の手合割"));
      QCOMPARE(items(dialog.handicapList()), handicaps);
      QCOMPARE(
          items(dialog.sideList()),
          (QStringList{QStringLiteral("未定"), QStringLiteral("先手"), QStringLiteral("後手")}));
      QCOMPARE(dialog.handicapList()->currentIndex(), c.position);
      QCOMPARE(dialog.sideList()->currentIndex(), 0);  // always opens at 未定
      QCOMPARE(dialog.sideList()->isEnabled(), c.position == 0);
    }
    ui::HandicapDialog plain(*edit::handicapQuestion(*ws, ui, 0, 0, false));
    QCOMPARE(labelOf(plain.handicapList()), QStringLiteral("手合："));
    QCOMPARE(labelOf(plain.sideList()), QStringLiteral("先後："));
    bool note = false;
    for (QLabel* l : plain.findChildren<QLabel*>())
      note = note || l->text() == QStringLiteral("駒落ちでは上手下手は自動設定");
    QVERIFY(note);

    t.result[0][0] = data::kLoss;
    t.result[1][0] = data::kWin;
    ui::HandicapResultDialog dialog(*edit::handicapQuestion(*ws, ui, 0, 0, true));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("1回戦 青山 対 桜井 の手合割・勝敗"));
    QCOMPARE(labelOf(dialog.resultList()), QStringLiteral("勝敗："));
    QCOMPARE(dialog.resultList()->currentIndex(), 1);
    QCOMPARE(dialog.handicapList()->currentIndex(), 1);
    QVERIFY(!dialog.sideList()->isEnabled());
    dialog.handicapList()->setCurrentIndex(0);
    QVERIFY(dialog.sideList()->isEnabled());
    dialog.sideList()->setCurrentIndex(2);
    dialog.handicapList()->setCurrentIndex(1);
    QVERIFY(!dialog.sideList()->isEnabled());
    dialog.handicapList()->setCurrentIndex(0);
    dialog.resultList()->setCurrentIndex(2);
    const edit::HandicapAnswer a = dialog.answer();
    QCOMPARE(a.handicapPosition, 0);
    QCOMPARE(a.sidePosition, 2);
    QCOMPARE(a.resultPosition, 2);

    const auto d = *edit::handicapQuestion(*ws, ui, 0, 0, true);
    auto ok = Await::dialog<ui::HandicapResultDialog>([](ui::HandicapResultDialog* w) {
      w->handicapList()->setCurrentIndex(6);
      w->resultList()->setCurrentIndex(0);
      button(w, QStringLiteral("OK"))->click();
    });
    const auto chosen = ui::HandicapResultDialog::choose(d, nullptr);
    QVERIFY(chosen.has_value());
    QCOMPARE(chosen->handicapPosition, 6);
    QCOMPARE(chosen->resultPosition, 0);
    auto cancel = Await::dialog<ui::HandicapDialog>(
        [](ui::HandicapDialog* w) { button(w, QStringLiteral("キャンセル"))->click(); });
    QVERIFY(!ui::HandicapDialog::choose(*edit::handicapQuestion(*ws, ui, 0, 0, false), nullptr));
    QVERIFY(cancel->handled());
  }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
