// The window's print commands: the preview shows the layout of the view's mode and the print
// format flag, the print dialog and the printer setup share one printer, a page range prints
// only its pages, "PDFに保存..." writes the file the user names, and the flag is on at every
// start.
#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QtTest>

#include "support/builders.h"
#include "text/format.h"
#include "ui/application.h"
#include "ui/commands.h"
#include "ui/main_view.h"
#include "ui/main_window.h"
#include "ui/print/printing.h"
#include "ui/qt_text.h"
#include "ui/support/await_dialog.h"
#include "ui/support/running_app.h"

using namespace toq;
using testing::Await;
using testing::RunningApp;
using view::Command;

namespace {

/// Opens the print preview and returns how many pages it shows (-1 when it did not open),
/// with the orientation of its printer.
int previewPages(RunningApp& run, QPageLayout::Orientation* orientation = nullptr) {
  int pages = -1;
  auto await = Await::dialog<QPrintPreviewDialog>([&](QPrintPreviewDialog* d) {
    if (auto* preview = d->findChild<QPrintPreviewWidget*>()) pages = preview->pageCount();
    if (orientation) *orientation = d->printer()->pageLayout().orientation();
    d->reject();
  });
  run.app->commands()->run(Command::PrintPreview);
  return await->handled() ? pages : -1;
}

ui::print::Printing* printingOf(RunningApp& run) {
  return run.window()->findChild<ui::print::Printing*>();
}

}  // namespace

class PrintCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void thePreviewShowsTheLayoutOfTheModeAndTheFlag() {
    RunningApp run;
    QCOMPARE(previewPages(run), 1);  // the coloured grid
    run.action(Command::PrintFormat2)->trigger();
    run.ws().table.tableClass = 6;
    QCOMPARE(previewPages(run), 2);  // the league chart of Ｃ級２組
    for (int i = 0; i < 250; ++i) run.ws().players.AddPlayer(data::Player{});
    run.view()->setTableMode(false);
    QVERIFY(previewPages(run) > 1);  // the player list of 270 players
    QVERIFY(run.box.ui.errors().empty());
  }

  void printDialogAndSetupShareTheWindowsPrinter() {
    RunningApp run;
    auto cancel = Await::dialog<QPrintDialog>([](QPrintDialog* d) { d->reject(); });
    run.app->commands()->run(Command::Print);
    QVERIFY(cancel->handled());
    ui::print::Printing* printing = printingOf(run);
    QVERIFY(printing);

    // The page setup works on a printer of the system; a machine without one is told so.
    const bool native = printing->printer().outputFormat() == QPrinter::NativeFormat;
    auto setup = Await::dialog<QPageSetupDialog>([printing](QPageSetupDialog* d) {
      QCOMPARE(d->printer(), &printing->printer());
      d->reject();
    });
    run.app->commands()->run(Command::PrintSetup);
    if (native) {
      QVERIFY(setup->handled());
    } else {
      QVERIFY(!setup->handled());
      const auto notes = run.box.ui.texts(services::RecordedMessage::Kind::Information);
      QCOMPARE(notes.size(), std::size_t(1));
      QVERIFY(ui::fromUtf8(notes[0]).startsWith(QStringLiteral("使えるプリンタがありません。")));
    }
    printing->printer().setPageOrientation(QPageLayout::Landscape);
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QCOMPARE(previewPages(run, &orientation), 1);
    QCOMPARE(orientation, QPageLayout::Landscape);
    QCOMPARE(printingOf(run), printing);  // one printing for the window's life
  }

  void aPageRangePrintsOnlyItsPages() {
    RunningApp run;
    for (int i = 0; i < 400; ++i) run.ws().players.AddPlayer(data::Player{});
    run.view()->setTableMode(false);
    QCOMPARE(previewPages(run) >= 4, true);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(run.box.dir.filePath("range.pdf"));
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    ui::print::PrintRequest request;
    request.layout = reports::print::Layout::PlayerList;
    request.table = &run.ws().table;
    request.players = &run.ws().players;
    QCOMPARE(printingOf(run)->printOn(printer, request), 2);
    QVERIFY(QFile(run.box.dir.filePath("range.pdf")).size() > 0);
    printer.setPrintRange(QPrinter::AllPages);
    QCOMPARE(printingOf(run)->printOn(printer, request), previewPages(run));
  }

  void savePdfWritesTheFileTheUserNames() {
    RunningApp run;
    const QString target = run.box.dir.filePath("壁貼り.pdf");
    QString suggested;
    auto save = Await::dialog<QFileDialog>([&](QFileDialog* d) {
      suggested = d->selectedFiles().value(0);
      d->selectFile(target);
      static_cast<QDialog*>(d)->accept();
    });
    run.app->commands()->run(Command::SavePdf);
    QVERIFY(save->handled());
    QCOMPARE(QFileInfo(suggested).fileName(), QStringLiteral("event-grid.pdf"));
    QFile pdf(target);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
    const auto statuses = run.box.ui.statuses();
    QVERIFY(!statuses.empty());
    QCOMPARE(
        ui::fromUtf8(statuses.back()),
        QStringLiteral("PDFファイル(%1)を保存しました。").arg(QDir::toNativeSeparators(target)));

    // Cancelling writes nothing.
    auto cancel = Await::dialog<QFileDialog>([](QFileDialog* d) { d->reject(); });
    pdf.close();
    QFile::remove(target);
    run.app->commands()->run(Command::SavePdf);
    QVERIFY(cancel->handled());
    QVERIFY(!QFile::exists(target));
  }

  void theFlagIsOnAtEveryStart() {
    RunningApp run;
    run.action(Command::PrintFormat2)->trigger();
    QVERIFY(!run.app->commands()->printFormat2());
    run.app->exit();
    run.app = run.box.makeApp();
    run.app->start(ui::fromPath(run.tai), false);
    QVERIFY(run.app->commands()->printFormat2());
    QVERIFY(run.action(Command::PrintFormat2)->isChecked());
  }
};

QTEST_MAIN(PrintCommandsTest)
#include "print_commands_test.moc"
