#include "ui/print/printing.h"

#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QWidget>

#include "print_qt/pdf_output.h"
#include "reports/print/print_job.h"
#include "ui/qt_text.h"

namespace toq::ui::print {

namespace {

constexpr std::string_view kNoPrinter =
    "使えるプリンタがありません。用紙と向きは「印刷」の画面の「ファイルに出力 (PDF)」で"
    "選べます。「PDFに保存...」でもPDFを作れます。";

reports::print::PrintJob makeJob(const PrintRequest& r) {
  reports::print::PrintJob job(r.layout, *r.table, *r.players, r.documentTitle, r.screen);
  job.setSlips(r.slips);
  job.setStandings(r.standings, r.standingsCaption);
  return job;
}

}  // namespace

Printing::Printing(QWidget* window, services::Services& ui)
    : QObject(window),
      window_(window),
      ui_(ui),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  // A system printer brings its own paper; printing to a file starts on A4, as the PDFs do.
  if (printer_->outputFormat() != QPrinter::NativeFormat)
    printer_->setPageSize(QPageSize(QPageSize::A4));
}

Printing::~Printing() = default;

int Printing::printOn(QPrinter& printer, const PrintRequest& request) {
  if (!request.table || !request.players) return 0;
  reports::print::PrintJob job = makeJob(request);
  QPainter painter;
  if (!painter.begin(&printer)) return 0;
  // The pages the print dialog's range names; every page otherwise.
  const bool range = printer.printRange() == QPrinter::PageRange;
  const int drawn = print_qt::paintJob(job, painter, printer, ui_, range ? printer.fromPage() : 1,
                                       range ? printer.toPage() : 0);
  painter.end();
  return drawn;
}

void Printing::print(const PrintRequest& request) {
  QPrintDialog dialog(printer_.get(), window_);
  dialog.setWindowTitle(QStringLiteral("印刷"));
  if (dialog.exec() != QDialog::Accepted) return;
  printOn(*printer_, request);
}

void Printing::preview(const PrintRequest& request) {
  QPrintPreviewDialog dialog(printer_.get(), window_);
  dialog.setWindowTitle(QStringLiteral("印刷プレビュー"));
  connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
          [this, &request](QPrinter* printer) { printOn(*printer, request); });
  dialog.exec();
}

void Printing::setup() {
  // Without a printer of the system the printer prints to a PDF file, whose page the print
  // dialog sets; the page setup dialog only works on a real printer.
  if (printer_->outputFormat() != QPrinter::NativeFormat) {
    ui_.informationBox(kNoPrinter);
    return;
  }
  QPageSetupDialog dialog(printer_.get(), window_);
  dialog.setWindowTitle(QStringLiteral("プリンタの設定"));
  dialog.exec();
}

void Printing::savePdf(const PrintRequest& request) {
  const QString path = QFileDialog::getSaveFileName(
      window_, QStringLiteral("PDFに保存"), fromPath(request.suggestedPdf),
      QStringLiteral("PDFファイル (*.pdf);;すべてのファイル (*.*)"));
  if (path.isEmpty()) return;
  writePdf(toPath(path), request);
}

int Printing::writePdf(const std::filesystem::path& path, const PrintRequest& request) {
  if (!request.table || !request.players) return -1;
  reports::print::PrintJob job = makeJob(request);
  return print_qt::writePdf(path, job, ui_);
}

}  // namespace toq::ui::print
