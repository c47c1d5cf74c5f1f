// The entries' column chooser: a form's export whose header names the name twice opens it by
// itself; the column chosen is read, remembered for that header row, and recalled next time.
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include "edit/entry_import.h"
#include "text/cp932.h"
#include "ui/dialogs/column_chooser_dialog.h"
#include "ui/dialogs/entries_dialog.h"

using namespace toq;

namespace {

const QString kExport = QStringLiteral(
    "タイムスタンプ\tお名前（フルネーム）\tふりがな\t棋力（段級位）\t保護者のお名前\n"
    "2026/04/01\t青山 一\tあおやま はじめ\t\t青山 父\n");

// Answers the chooser once it is open: column 5 is the name, the reading column unused.
void answerChooser() {
  QTimer::singleShot(0, [] {
    auto* chooser = qobject_cast<ui::ColumnChooserDialog*>(QApplication::activeModalWidget());
    QVERIFY(chooser);
    QComboBox* fifth = chooser->list(4);
    fifth->setCurrentIndex(fifth->findText(QStringLiteral("氏名")));
    QComboBox* reading = chooser->list(2);
    reading->setCurrentIndex(reading->findText(QStringLiteral("使わない")));
    chooser->accept();
  });
}

}  // namespace

class ColumnChooserTest : public QObject {
  Q_OBJECT

 private slots:
  void twoNameColumnsAskAndTheChoiceIsRememberedPerHeader() {
    edit::Workspace ws;
    std::map<std::vector<std::string>, data::ColumnChoice> stored;
    ui::EntriesDialog::ColumnMemory memory;
    memory.recall = [&](const std::vector<std::string>& h) {
      return stored.count(h) ? stored[h] : data::ColumnChoice{};
    };
    memory.remember = [&](const std::vector<std::string>& h, const data::ColumnChoice& c) {
      stored[h] = c;
    };
    auto planner = [&](const std::string& bytes, const data::GradeTable& grades,
                       const data::ColumnChoice& columns) {
      ui::EntriesDialog::Preview p;
      p.sheet = data::readEntrySheet(bytes, grades, columns);
      p.plan = edit::planEntries(ws, p.sheet);
      return p;
    };
    {
      ui::EntriesDialog dialog(planner, {}, memory);
      dialog.show();
      answerChooser();
      dialog.pasted()->setPlainText(kExport);
      QCOMPARE(dialog.rows()->rowCount(), 1);
      QCOMPARE(dialog.rows()->item(0, 1)->text(), QStringLiteral("青山 父"));
      QCOMPARE(dialog.choice().plan.entries[0].player.reading, std::string());
      // The empty grade became the default rating, and the summary says so.
      QCOMPARE(dialog.choice().plan.defaultRatings, 1);
      QCOMPARE(stored.size(), std::size_t(1));
    }
    // The same header row again: the remembered choice, without asking.
    ui::EntriesDialog again(planner, {}, memory);
    again.show();
    again.pasted()->setPlainText(kExport);
    QCOMPARE(again.rows()->item(0, 1)->text(), QStringLiteral("青山 父"));
    QVERIFY(again.columnsButton()->isEnabled());
  }
};

QTEST_MAIN(ColumnChooserTest)
#include "column_chooser_test.moc"
