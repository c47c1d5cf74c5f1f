// ReceptionDialog and EntriesDialog, fed by the core: search as typed, Enter adds one step
// named after the player, the count line; the entries' preview with its refusals and grades.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QtTest>

#include "edit/command_door.h"
#include "edit/reception.h"
#include "support/recording_services.h"
#include "text/cp932.h"
#include "ui/dialogs/entries_dialog.h"
#include "ui/dialogs/reception_dialog.h"

using namespace toq;

namespace {

std::unique_ptr<edit::Workspace> applicants() {
  auto ws = std::make_unique<edit::Workspace>();
  for (const char* name : {"青山 一郎", "南条 二郎", "北村 三郎"}) {
    data::Player p;
    p.name = text::sj(name);
    ws->players.AddPlayer(p);
  }
  return ws;
}

// A screenshot for the manual and for a look, when asked for.
void keepPicture(QWidget& w, const char* name) {
  if (const QByteArray dir = qgetenv("TOQ_SCREENSHOTS"); !dir.isEmpty())
    w.grab().save(QString::fromUtf8(dir) + "/" + name);
}

}  // namespace

class ReceptionDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void searchAndEnterAddOneStepNamedAfterThePlayer() {
    services::RecordingServices ui;
    auto ws = applicants();
    ui::ReceptionDialog::Hooks hooks;
    hooks.list = [&](const std::string& q) { return edit::receptionList(*ws, q); };
    hooks.count = [&] { return edit::receptionCount(*ws); };
    hooks.receive = [&](const edit::ReceptionLine& l) {
      const std::string label = edit::receptionLabel(text::toUtf8(l.name), false);
      return edit::runCommand(
                 *ws, ui, edit::StepRule{label.c_str()},
                 [&] { return edit::receivePlayer(*ws, ui, l.number); }, journal::Who::window())
          .outcome;
    };
    ui::ReceptionDialog dialog(hooks);
    dialog.show();
    QCOMPARE(dialog.list()->count(), 3);
    dialog.search()->setText(QStringLiteral("条"));  // as typed
    QCOMPARE(dialog.list()->count(), 1);
    QTest::keyClick(dialog.search(), Qt::Key_Return);
    QCOMPARE(ws->table.participantCount, 1);
    QCOMPARE(QString::fromStdString(ws->history.undoStep()->label),
             QStringLiteral("受付 南条 二郎"));
    QCOMPARE(dialog.countLine()->text(), QStringLiteral("受付済み 1人 / 申込 3人"));
    QVERIFY(dialog.list()->item(2)->text().endsWith(QStringLiteral("受付済み")));
    keepPicture(dialog, "reception.png");
  }

  void theEntriesPreviewShowsRowsRefusalsAndGrades() {
    auto ws = applicants();
    ui::EntriesDialog dialog(
        [&](const std::string& bytes, const data::GradeTable& grades,
            const data::ColumnChoice& columns) {
          ui::EntriesDialog::Preview p;
          p.sheet = data::readEntrySheet(bytes, grades, columns);
          p.plan = edit::planEntries(*ws, p.sheet);
          return p;
        },
        {});
    dialog.show();
    dialog.pasted()->setPlainText(
        QStringLiteral("氏名\t段級\tメール\n青山　一郎\t初段\tx\n東 四郎\t三段\t\n西\t千\t\n"));
    QCOMPARE(dialog.rows()->rowCount(), 2);
    QCOMPARE(dialog.rows()->item(0, 7)->text(), QStringLiteral("更新"));
    QCOMPARE(dialog.refused()->item(0)->text(),
             QStringLiteral("4行目: 段級「千」のレーティングが決まっていません"));
    QCOMPARE(dialog.gradeTable()->rowCount(), 3);
    dialog.gradeTable()->item(2, 1)->setText("1000");  // 千 gets a rating: the line comes in
    QCOMPARE(dialog.rows()->rowCount(), 3);
    QCOMPARE(dialog.choice().grades.ratingOf("千"), std::optional<int>(1000));
    keepPicture(dialog, "entries.png");
  }
};

QTEST_MAIN(ReceptionDialogTest)
#include "reception_dialog_test.moc"
