// The three layouts of the sample event as PDF files, turned into PNG pictures with pdftoppm:
// the page size and orientation, the fonts embedded, and a few pixels where the layout puts a
// fill, a rule or a vertical name. The pictures stay in the build tree (print-pngs/), and
// their paths are printed so that a reader can look at them.
#include <QBuffer>
#include <QDir>
#include <QFontMetricsF>
#include <QImage>
#include <QPdfWriter>
#include <QProcess>
#include <QtTest>
#include <cmath>

#include "data/table_file.h"
#include "edit/pair_command.h"
#include "edit/pairing_edits.h"
#include "edit/results.h"
#include "print_qt/font_substitutes.h"
#include "print_qt/painter_canvas.h"
#include "print_qt/pdf_output.h"
#include "reports/print/chart_geometry.h"
#include "reports/print/grid_layout.h"
#include "reports/print/print_job.h"
#include "support/recording_canvas.h"
#include "ui/qt_text.h"
#include "ui/support/ui_fixture.h"

using namespace toq;
using reports::print::Layout;
using reports::print::PrintJob;
using reports::print::RecordingCanvas;

namespace {

constexpr int kPngDpi = 100;
// Where the printable area starts on the PDF page: the 5 mm margins, in PDF device pixels.
constexpr double kMarginPixels = 5 * print_qt::kPdfResolution / 25.4;

/// A point of the PDF's printable area in the picture.
QPoint onPicture(double x, double y) {
  const double scale = double(kPngDpi) / print_qt::kPdfResolution;
  return QPoint(int(std::floor((x + kMarginPixels) * scale)),
                int(std::floor((y + kMarginPixels) * scale)));
}

bool near(QColor a, QColor b, int tolerance = 3) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

/// The darkest grey within a pixel of the point.
int darkest(const QImage& image, QPoint p) {
  int gray = 255;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (image.rect().contains(p + QPoint(dx, dy)))
        gray = std::min(gray, qGray(image.pixel(p + QPoint(dx, dy))));
  return gray;
}

QString picturesFolder() {
  const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/print-pngs");
  QDir().mkpath(dir);
  return dir;
}

}  // namespace

class PrintPdfTest : public QObject {
  Q_OBJECT

  testing::UiSandbox box_;
  std::unique_ptr<edit::Workspace> ws_ = std::make_unique<edit::Workspace>();

  /// A recording of the job with the PDF's device and real font metrics: the same geometry the
  /// PDF gets.
  std::unique_ptr<RecordingCanvas> probe(Layout layout) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(print_qt::kPdfResolution);
    PrintJob job(layout, ws_->table, ws_->players, "event.tai", {96, 96});
    pdf.setPageLayout(print_qt::pdfPageLayout(job.naturalWidthMm()));
    auto canvas = std::make_unique<RecordingCanvas>(pdf.logicalDpiX(), pdf.logicalDpiY(),
                                                    pdf.width(), pdf.height());
    canvas->measureHeight = [&pdf](const reports::print::FontRequest& request) {
      const QFontMetricsF m(print_qt::PainterCanvas::qtFont(request), &pdf);
      return int(std::lround(m.ascent() + m.descent()));
    };
    canvas->measureWidth = [&pdf](const reports::print::FontRequest& request,
                                  std::string_view cp932) {
      const QFontMetricsF m(print_qt::PainterCanvas::qtFont(request), &pdf);
      return int(std::lround(m.horizontalAdvance(ui::fromCp932(cp932))));
    };
    reports::print::printDocument(job, *canvas, box_.ui);
    canvas->measureHeight = nullptr;
    canvas->measureWidth = nullptr;
    return canvas;
  }

  /// Writes the layout's PDF and its pages as PNG pictures; returns the pictures.
  QList<QImage> render(Layout layout, const QString& name) {
    const QString pdf = picturesFolder() + "/" + name + ".pdf";
    PrintJob job(layout, ws_->table, ws_->players, "event.tai", {96, 96});
    if (print_qt::writePdf(ui::toPath(pdf), job, box_.ui) != 0) return {};
    for (const QString& old : QDir(picturesFolder()).entryList({name + "-*.png"}))
      QFile::remove(picturesFolder() + "/" + old);
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-r"), QString::number(kPngDpi), QStringLiteral("-png"), pdf,
                    picturesFolder() + "/" + name});
    if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0) return {};
    QList<QImage> pages;
    for (int page = 1;; ++page) {
      const QString png = QStringLiteral("%1/%2-%3.png").arg(picturesFolder(), name).arg(page);
      if (!QFile::exists(png)) break;
      std::printf("%s\n", qPrintable(png));
      pages << QImage(png);
    }
    return pages;
  }

  QString fontsOf(const QString& name) {
    QProcess pdffonts;
    pdffonts.start(QStringLiteral("pdffonts"), {picturesFolder() + "/" + name + ".pdf"});
    pdffonts.waitForFinished(60000);
    return QString::fromUtf8(pdffonts.readAllStandardOutput());
  }

 private slots:
  void initTestCase() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
      QFAIL("pdftoppm (poppler-utils) is needed: scripts/setup installs it");
    print_qt::installFontSubstitutes();
    // The sample event after three rounds with results and a fourth just paired.
    const auto tai = box_.importSample();
    QCOMPARE(data::OpenTableFile(ws_->players, ws_->table, tai, ws_->playerFile, box_.ui), 0);
    for (int round = 0; round < 4; ++round) {
      QVERIFY(edit::setBye(*ws_, box_.ui, ws_->table.rows() - 1 - round).done());
      QCOMPARE(edit::pairNextRound(*ws_, box_.ui, [] {}), 0);
      if (round < 3) QVERIFY(edit::randomResults(*ws_, box_.ui).done());
    }
  }

  void playerListOnePortraitPage() {
    const auto pages = render(Layout::PlayerList, "players");
    QCOMPARE(pages.size(), 1);
    QVERIFY(std::abs(pages[0].width() - 827) <= 1 && std::abs(pages[0].height() - 1169) <= 1);
    const auto canvas = probe(Layout::PlayerList);
    const auto& lines = canvas->pages[0].lines;
    QVERIFY(!lines.empty());
    // The rule over the headings, halfway along.
    const auto& top = lines.front();
    QVERIFY(darkest(pages[0], onPicture((top.x1 + top.x2) / 2.0, top.y1)) < 100);
    QVERIFY(near(pages[0].pixel(onPicture(top.x2 + 600, top.y1 + 600)), Qt::white));
    QVERIFY(fontsOf("players").contains(QStringLiteral("IPAMincho")));
  }

  void gridShowsTheCellColours() {
    const auto pages = render(Layout::Grid, "grid");
    QCOMPARE(pages.size(), 1);
    QVERIFY(pages[0].height() > pages[0].width());  // five rounds fit a portrait page
    const auto canvas = probe(Layout::Grid);
    int checked = 0;
    for (const QColor colour : {QColor(210, 255, 210), QColor(255, 230, 230), QColor(230, 230, 255),
                                QColor(200, 200, 200)}) {
      const auto& fills = canvas->pages[0].fills;
      auto fill = std::find_if(fills.begin(), fills.end(), [&](const RecordingCanvas::Fill& f) {
        return QColor(f.colour.r, f.colour.g, f.colour.b) == colour;
      });
      QVERIFY2(fill != fills.end(), qPrintable(colour.name()));
      // Right of any text, halfway down the cell.
      const QPoint p = onPicture(fill->rect.left + fill->rect.width() * 0.9,
                                 fill->rect.top + fill->rect.height() * 0.5);
      QVERIFY2(near(pages[0].pixel(p), colour),
               qPrintable(colour.name() + " at " + QString::number(p.x()) + "," +
                          QString::number(p.y()) + " is " + QColor(pages[0].pixel(p)).name()));
      ++checked;
    }
    QCOMPARE(checked, 4);
  }

  void chartNamesStandInTheirColumnsAndTheOuterRulesAreThick() {
    // Ａ級's fixed columns are too wide for 23 participants: the chart uses Ｃ級１組's.
    ws_->table.tableClass = 2;
    auto pages = render(Layout::Chart, "chart");
    QCOMPARE(pages.size(), 1);
    QVERIFY(pages[0].height() > pages[0].width());
    QVERIFY(fontsOf("chart").contains(QStringLiteral("IPAGothic")));

    const auto canvas = probe(Layout::Chart);
    const auto* name = canvas->findText(0, ws_->table.ParticipantName(0, ws_->players, box_.ui));
    QVERIFY(name && name->clip);
    const QRect cell(onPicture(name->clip->left, name->clip->top),
                     onPicture(name->clip->right - 1, name->clip->bottom - 1));
    QRect ink;
    for (int y = cell.top() + 2; y < cell.bottom() - 2; ++y)
      for (int x = cell.left() + 2; x < cell.right() - 2; ++x)
        if (qGray(pages[0].pixel(x, y)) < 128) ink = ink.united(QRect(x, y, 1, 1));
    QVERIFY2(ink.height() > 3 * ink.width(), "the name runs down its column");
    QVERIFY(std::abs(ink.center().x() - cell.center().x()) <= 3);

    // The thick rule on the left: two picture pixels of black.
    const reports::print::DeviceMeasures m = reports::print::measureDevice(
        600, 600, canvas->printableWidth(), canvas->printableHeight(), {96, 96}, 1);
    const auto g = reports::print::chartGeometry(m, 2, ws_->table.rows(), 5, 1);
    QCOMPARE(data::classCode(g.layoutClass), 5);
    QVERIFY(darkest(pages[0], onPicture(g.left, (g.top + g.bottom()) / 2.0)) < 60);
  }

  void classC2ChartTakesTwoPages() {
    ws_->table.tableClass = 6;
    const auto pages = render(Layout::Chart, "chart-c2");
    ws_->table.tableClass = 2;
    QCOMPARE(pages.size(), 2);
    for (const QImage& page : pages) QVERIFY(page.height() > page.width());
  }
};

QTEST_MAIN(PrintPdfTest)
#include "print_pdf_test.moc"
