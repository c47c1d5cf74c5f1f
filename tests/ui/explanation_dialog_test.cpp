// ExplanationDialog: every paired round in the chooser with the latest shown first, the text is
// the core's explanation of the round chosen, one row's board only when asked, copy and save
// (UTF-8), "閉じる", and the focus on the round chooser.
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "pairing/driver.h"
#include "reports/explanation_text.h"
#include "support/builders.h"
#include "text/cp932.h"
#include "ui/dialogs/explanation_dialog.h"
#include "ui/qt_text.h"
#include "ui/support/await_dialog.h"

using namespace toq;

namespace {

/// Six players, two rounds paired by the program and the first one played.
std::unique_ptr<testing::Tournament> twoRounds() {
  auto t = testing::makeTournament(4);
  const char* names[] = {"青山 大輔", "桜井 健太", "谷口 蓮", "岡部 晴", "石原 智也", "白石 陸"};
  for (const char* name : names) t->addParticipant(text::sj(name));
  for (int round = 0; round < 2; ++round) {
    auto ctx = t->context();
    if (pairing::runPairing(ctx, round, {}) != 0) return nullptr;
    if (round == 0)
      for (int row = 0; row < 3; ++row) t->setResult(0, row, data::kWin);
  }
  return t;
}

QString coreText(const testing::Tournament& t, int round, std::optional<int> row = {}) {
  return ui::fromCp932(reports::explainRoundText(t.table, t.players, round, row));
}

}  // namespace

class ExplanationDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void theChooserListsThePairedRoundsAndChangesTheText() {
    auto t = twoRounds();
    QVERIFY(t);
    ui::ExplanationDialog d(t->table, t->players, t->ui);
    QCOMPARE(d.windowTitle(), QStringLiteral("組み合わせの説明"));
    QComboBox* rounds = d.roundChooser();
    QCOMPARE(rounds->count(), 2);
    QCOMPARE(rounds->itemText(0), QStringLiteral("1回戦"));
    QCOMPARE(rounds->itemText(1), QStringLiteral("2回戦"));
    QCOMPARE(d.round(), 1);
    QCOMPARE(d.text(), coreText(*t, 1));
    QVERIFY(d.textView()->isReadOnly());

    rounds->setCurrentIndex(0);
    QCOMPARE(d.round(), 0);
    QCOMPARE(d.text(), coreText(*t, 0));
    QVERIFY(d.text().startsWith(QStringLiteral("1回戦の組み合わせの説明")));
    rounds->setCurrentIndex(1);
    QCOMPARE(d.text(), coreText(*t, 1));
  }

  void oneRowsBoardInTheRoundAsked() {
    auto t = twoRounds();
    QVERIFY(t);
    ui::ExplanationDialog d(t->table, t->players, t->ui, nullptr, 4, 0);
    QCOMPARE(d.round(), 0);
    QCOMPARE(d.text(), coreText(*t, 0, 4));
    QCOMPARE(d.text().count(QStringLiteral("\n第")), 1);  // one board, no summary
    QVERIFY(d.text().contains(QStringLiteral("石原 智也")));
  }

  void copyPutsTheWholeTextOnTheClipboard() {
    auto t = twoRounds();
    QVERIFY(t);
    ui::ExplanationDialog d(t->table, t->players, t->ui);
    QApplication::clipboard()->clear();
    QPushButton* copy = testing::button(&d, QStringLiteral("すべてコピー(&C)"));
    QVERIFY(copy);
    copy->click();
    QCOMPARE(QApplication::clipboard()->text(), d.text());
    QVERIFY(!d.text().isEmpty());
  }

  void saveWritesUtf8AndReportsAFailure() {
    auto t = twoRounds();
    QVERIFY(t);
    ui::ExplanationDialog d(t->table, t->players, t->ui);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("説明.txt"));
    QVERIFY(d.saveTo(file));
    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), d.text().toUtf8());
    QVERIFY(t->ui.errors().empty());

    QVERIFY(!d.saveTo(dir.filePath(QStringLiteral("ない/説明.txt"))));
    QCOMPARE(t->ui.errors().size(), std::size_t{1});
  }

  void focusStartsOnTheChooserAndCloseCloses() {
    auto t = twoRounds();
    QVERIFY(t);
    ui::ExplanationDialog d(t->table, t->players, t->ui);
    d.show();
    d.activateWindow();  // no window manager under xvfb activates it
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.roundChooser()));
    QPushButton* close = testing::button(&d, QStringLiteral("閉じる"));
    QVERIFY(close);
    close->click();
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), static_cast<int>(QDialog::Rejected));
  }

  void aTableWithoutPairedRoundsShowsNothing() {
    auto t = testing::makeTournament(2);
    t->addParticipant("A");
    ui::ExplanationDialog d(t->table, t->players, t->ui);
    QCOMPARE(d.roundChooser()->count(), 0);
    QCOMPARE(d.round(), -1);
    QVERIFY(d.text().isEmpty());
    QVERIFY(!testing::button(&d, QStringLiteral("すべてコピー(&C)"))->isEnabled());
  }
};

QTEST_MAIN(ExplanationDialogTest)
#include "explanation_dialog_test.moc"
