#include "print_qt/pdf_output.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "print_qt/font_substitutes.h"
#include "print_qt/painter_canvas.h"
#include "reports/report_files.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::print_qt {

namespace {

constexpr const char* kPdfNotSaved = "PDFファイル(%s)を保存できませんでした。";
constexpr const char* kPdfSaved = "PDFファイル(%s)を保存しました。";
constexpr double kPrinterMarginMm = 5;

}  // namespace

QPageLayout pdfPageLayout(double naturalWidthMm) {
  const QPageSize a4(QPageSize::A4);
  const double portraitWidth = a4.size(QPageSize::Millimeter).width() - 2 * kPrinterMarginMm;
  const QPageLayout::Orientation orientation =
      naturalWidthMm > portraitWidth ? QPageLayout::Landscape : QPageLayout::Portrait;
  const QMarginsF margins(kPrinterMarginMm, kPrinterMarginMm, kPrinterMarginMm, kPrinterMarginMm);
  return QPageLayout(a4, orientation, margins, QPageLayout::Millimeter);
}

int paintJob(reports::print::PrintJob& job, QPainter& painter, QPagedPaintDevice& device,
             services::Services& ui, int first, int last) {
  installFontSubstitutes();
  PainterCanvas canvas(painter, &device);
  return reports::print::printDocument(job, canvas, ui, first, last);
}

int writePdf(const std::filesystem::path& path, reports::print::PrintJob& job,
             services::Services& ui) {
  const std::string where = reports::pathUtf8(path);
  auto fail = [&] {
    ui.errorBox(text::format(kPdfNotSaved, where.c_str()), services::kErrorCaption);
    return -2;
  };
  QSaveFile file(QString::fromStdU16String(path.u16string()));
  if (!file.open(QIODevice::WriteOnly)) return fail();
  {
    QPdfWriter pdf(&file);
    pdf.setResolution(kPdfResolution);
    pdf.setPageLayout(pdfPageLayout(job.naturalWidthMm()));
    pdf.setCreator(QStringLiteral("TOQ"));
    pdf.setTitle(QString::fromStdString(text::toUtf8(job.title())));
    QPainter painter;
    if (!painter.begin(&pdf)) return fail();
    paintJob(job, painter, pdf, ui);
    if (!painter.end()) return fail();
  }
  if (!file.commit()) return fail();
  ui.statusMessage(text::format(kPdfSaved, where.c_str()));
  return 0;
}

}  // namespace toq::print_qt
