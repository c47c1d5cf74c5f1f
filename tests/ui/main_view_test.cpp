// The main view and its model: what the list shows in both modes, the controls of each mode,
// the pairing button, the clicked cell, the kept column widths.
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

#include "support/builders.h"
#include "text/cp932.h"
#include "ui/affiliation_option.h"
#include "ui/main_view.h"
#include "ui/qt_text.h"
#include "ui/support/ui_fixture.h"
#include "ui/table_model.h"
#include "view/texts.h"

using namespace toq;

namespace {

QColor qc(view::Rgb c) {
  return QColor(c.r, c.g, c.b);
}

// A workspace with a three-board professional, a woman professional and three amateurs; round
// 1 played with a bye.
std::unique_ptr<edit::Workspace> field() {
  auto ws = std::make_unique<edit::Workspace>();
  auto t = testing::makeTournament(3);
  t->addParticipant(text::sj("北村 勇気八段"), 2400, 3, true);
  t->addParticipant(text::sj("森川 千秋女流二段"), 2150, 1, true, true);
  for (const char* n : {"青山 大輔", "桜井 健太", "藤森 蒼"}) t->addParticipant(text::sj(n), 1800);
  t->play(0, 0, 4, data::kWin);
  t->play(0, 1, 5, data::kLoss);
  t->play(0, 2, 6, data::kDraw);
  t->table.opponent[3][0] = data::kBye;
  ws->players = t->players;
  ws->table = t->table;
  return ws;
}

}  // namespace

class MainViewTest : public QObject {
  Q_OBJECT

 private slots:
  void modelAnswersEveryRoleFromTheGrid() {
    auto ws = field();
    services::RecordingServices ui;
    ui::MainView view(*ws, ui);
    view.fillTable();
    ui::TableModel* model = view.model();
    const view::Grid grid = view::tableGrid(ws->table, ws->players);
    QCOMPARE(model->rowCount(), 14);
    QCOMPARE(model->columnCount(), 3 + 5);
    for (int line = 0; line < grid.rowCount(); ++line)
      for (int c = 0; c < grid.columnCount(); ++c) {
        const QModelIndex i = model->index(line, c);
        const view::Cell& cell = grid.at(line, c);
        QCOMPARE(model->data(i, Qt::DisplayRole).toString(), ui::fromCp932(cell.text));
        QCOMPARE(model->data(i, Qt::AccessibleTextRole).toString(), ui::fromCp932(cell.text));
        QCOMPARE(model->data(i, Qt::BackgroundRole).value<QColor>(), qc(cell.background));
        QCOMPARE(model->data(i, Qt::ForegroundRole).value<QColor>(), qc(cell.foreground));
      }
    QCOMPARE(model->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("１回戦"));
    QCOMPARE(model->headerData(6, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("勝率"));
    QCOMPARE(model->data(model->index(0, 1), Qt::DisplayRole).toString(),
             QStringLiteral("北村 勇気八段"));
    QCOMPARE(model->data(model->index(6, 2), Qt::BackgroundRole).value<QColor>(),
             qc(view::kGrey));  // the woman professional's bye
    QCOMPARE(model->data(model->index(6, 2), Qt::DisplayRole).toString(), QString());
    QCOMPARE(model->data(model->index(8, 2), Qt::BackgroundRole).value<QColor>(), qc(view::kGreen));
    QVERIFY(ui.messages.empty());
  }

  void playerModeUsesTheListsOwnColours() {
    auto ws = field();
    services::RecordingServices ui;
    ui::MainView view(*ws, ui);
    view.fillPlayers();
    ui::TableModel* model = view.model();
    QCOMPARE(model->rowCount(), ws->players.count());
    QCOMPARE(model->columnCount(), 9);
    QCOMPARE(model->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("レーティング"));
    QVERIFY(!model->data(model->index(0, 1), Qt::BackgroundRole).isValid());
    QCOMPARE(model->data(model->index(0, 5), Qt::DisplayRole).toString(), QStringLiteral("○"));
    QCOMPARE(view.list()->horizontalHeader()->sectionSize(1), 120);
  }

  void modesSwitchTheControls() {
    auto ws = field();
    services::RecordingServices ui;
    ui::MainView view(*ws, ui);
    testing::UiSandbox box;
    ui::AppSettings settings(box.settingsFile());
    view.firstUpdate(settings, {});
    QVERIFY(view.tableMode());
    QVERIFY(view.lockBox()->isEnabled());
    // Round 2 has five unpaired rows: odd, yet the button is on (it asks for the bye).
    QVERIFY(view.pairingButton()->isEnabled());
    ws->table.opponent[3][1] = data::kBye;
    view.updatePairingButton();
    QVERIFY(view.pairingButton()->isEnabled());

    QSignalSpy modes(&view, &ui::MainView::modeChanged);
    view.playerRadio()->click();
    QVERIFY(!view.tableMode());
    QVERIFY(!view.lockBox()->isEnabled());
    QVERIFY(!view.pairingButton()->isEnabled());
    QCOMPARE(view.model()->columnCount(), 9);
    view.tableRadio()->click();
    QVERIFY(view.lockBox()->isEnabled());
    QVERIFY(view.pairingButton()->isEnabled());
    QCOMPARE(modes.count(), 2);

    // Every round paired: grey, and its tooltip says why.
    for (int r = 1; r < 3; ++r)
      for (int k = 0; k < ws->table.rows(); ++k) ws->table.opponent[k][r] = data::kAbsent;
    view.updatePairingButton();
    QVERIFY(!view.pairingButton()->isEnabled());
    QCOMPARE(view.pairingButton()->toolTip(), QString::fromUtf8(view::texts::kEveryRoundPaired));
  }

  void deriveHandicapsDisablesTheSideBoxAndTheLockBoxFollowsTheTable() {
    auto ws = field();
    ws->table.lockFlag = 1;
    services::RecordingServices ui;
    ui::MainView view(*ws, ui);
    testing::UiSandbox box;
    ui::AppSettings settings(box.settingsFile());
    settings.setView(0, 1, 1);
    view.firstUpdate(settings, {});
    QVERIFY(view.lockBox()->isChecked());
    QVERIFY(view.deriveHandicapsBox()->isChecked());
    QVERIFY(!view.decideSidesBox()->isEnabled());
    view.deriveHandicapsBox()->click();
    QVERIFY(view.decideSidesBox()->isEnabled());
    QVERIFY(!ws->deriveHandicaps);
    view.decideSidesBox()->click();
    QVERIFY(!ws->decideSides);
  }

  void theAffiliationOptionIsReadFromAndKeptInTheSettings() {
    auto ws = field();
    services::RecordingServices ui;
    ui::MainView view(*ws, ui);
    testing::UiSandbox box;
    ui::AppSettings settings(box.settingsFile());
    QCOMPARE(settings.avoidAffiliationRounds(), 0);  // off by default
    settings.setAvoidAffiliationRounds(3);
    view.firstUpdate(settings, {});
    ui::AffiliationOption* option = view.affiliationOption();
    QVERIFY(option->checkBox()->isChecked());
    QCOMPARE(option->roundsBox()->currentText(), QStringLiteral("3回戦まで"));
    QCOMPARE(ws->options.avoidAffiliationRounds, 3);
    option->checkBox()->click();
    QCOMPARE(ws->options.avoidAffiliationRounds, 0);
    option->checkBox()->click();
    option->roundsBox()->setCurrentIndex(option->roundsBox()->count() - 1);
    QCOMPARE(option->roundsBox()->currentText(), QStringLiteral("すべての回戦"));
    view.saveViewState(settings);
    settings.sync();
    QCOMPARE(ui::AppSettings(box.settingsFile()).avoidAffiliationRounds(),
             pairing::kAffiliationEveryRound);
  }

  void selectionAndTheClickedCell() {
    auto ws = field();
    services::RecordingServices ui;
    ui::MainView view(*ws, ui);
    view.fillTable();
    QCOMPARE(view.selectedRow(), -1);
    QCOMPARE(view.clickedLine(), -1);
    view.list()->selectRow(5);
    view.list()->selectionModel()->select(view.model()->index(2, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(view.selectedLineCount(), 2);
    QCOMPARE(view.selectedRow(), 2);
    QCOMPARE(view.list()->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(view.list()->selectionMode(), QAbstractItemView::ExtendedSelection);
    QVERIFY(view.list()->showGrid());

    view.resize(800, 600);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy menus(&view, &ui::MainView::contextMenuRequested);
    const QRect cell = view.list()->visualRect(view.model()->index(3, 2));
    emit view.list()->customContextMenuRequested(cell.center());
    QCOMPARE(menus.count(), 1);
    QCOMPARE(view.clickedLine(), 3);
    QCOMPARE(view.clickedColumn(), 2);
  }

  void columnWidthsAreKeptForTheRun() {
    auto ws = field();
    services::RecordingServices ui;
    ui::MainView view(*ws, ui);
    view.fillTable();
    QHeaderView* header = view.list()->horizontalHeader();
    QCOMPARE(header->sectionSize(0), 37);
    QCOMPARE(header->sectionSize(1), 110);
    QCOMPARE(header->sectionSize(2), 70);
    header->resizeSection(1, 150);
    view.fillPlayers();
    QCOMPARE(header->sectionSize(1), 120);
    view.fillTable();
    QCOMPARE(header->sectionSize(1), 150);
    view.refreshTable();
    QCOMPARE(header->sectionSize(1), 150);
  }

  void missingPlayersAreReportedOncePerFill() {
    auto ws = field();
    ws->table.AddParticipant(77, *std::make_unique<services::RecordingServices>());
    ws->table.AddParticipant(78, *std::make_unique<services::RecordingServices>());
    ws->table.setPair(1, 7, 8);
    services::RecordingServices ui;
    ui::MainView view(*ws, ui);
    view.fillTable();
    QCOMPARE(ui.errors().size(), std::size_t{1});
    QVERIFY(QString::fromStdString(ui.errors()[0]).contains(QStringLiteral("77, 78")));
    QCOMPARE(view.model()->rowCount(), 18);
  }

  void cellsReachAssistiveTechnologyWithTheirText() {
    auto ws = field();
    services::RecordingServices ui;
    ui::MainView view(*ws, ui);
    view.fillTable();
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(view.list());
    QVERIFY(list && list->tableInterface());
    QAccessibleInterface* cell = list->tableInterface()->cellAt(0, 1);
    QVERIFY(cell);
    QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("北村 勇気八段"));
    QCOMPARE(list->tableInterface()->cellAt(1, 2)->text(QAccessible::Name),
             QStringLiteral(" 　○"));  // even game, sides undecided, won
    for (QWidget* control : std::initializer_list<QWidget*>{
             view.pairingButton(), view.lockBox(), view.decideSidesBox(), view.deriveHandicapsBox(),
             view.tableRadio(), view.playerRadio()}) {
      QAccessibleInterface* a = QAccessible::queryAccessibleInterface(control);
      QVERIFY(a);
      QVERIFY(!a->text(QAccessible::Name).isEmpty());
    }
  }

  void listFontIsApplied() {
    auto ws = field();
    services::RecordingServices ui;
    ui::MainView view(*ws, ui);
    view.applyListFont({QStringLiteral("IPAGothic"), -20, 700, 1});
    QCOMPARE(view.list()->font().pixelSize(), 20);
    QVERIFY(view.list()->font().italic());
    QCOMPARE(view.list()->font().weight(), QFont::Bold);
  }
};

QTEST_MAIN(MainViewTest)
#include "main_view_test.moc"
