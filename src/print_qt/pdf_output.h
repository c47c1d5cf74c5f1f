#pragma once
// Running a print job on a Qt paint device: the pages of a printer or a PDF file.

#include <QPageLayout>
#include <filesystem>

#include "reports/print/print_job.h"
#include "services/services.h"

class QPagedPaintDevice;
class QPainter;

namespace toq::print_qt {

/// Resolution of the PDF files: fine enough for any printer the file is taken to.
inline constexpr int kPdfResolution = 600;

/// The pages of a PDF of a layout that needs `naturalWidthMm` across: A4 with 5 mm margins
/// (what an office printer cannot reach), portrait unless the layout is wider than that.
QPageLayout pdfPageLayout(double naturalWidthMm);

/// Draws pages `first` to `last` (0: to the end) of the job with `painter`, which is active on
/// `device`. Returns the pages drawn.
int paintJob(reports::print::PrintJob& job, QPainter& painter, QPagedPaintDevice& device,
             services::Services& ui, int first = 1, int last = 0);

/// Writes every page of the job as a PDF file, replacing the file only when the whole PDF
/// was written. 0; or -2 after the error box "PDFファイル(...)を保存できませんでした。".
int writePdf(const std::filesystem::path& path, reports::print::PrintJob& job,
             services::Services& ui);

}  // namespace toq::print_qt
