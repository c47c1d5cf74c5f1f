#include "reports/print/print_job.h"

#include <algorithm>
#include <numeric>

#include "pairing/date_stamp.h"
#include "reports/print/chart_geometry.h"
#include "reports/print/chart_layout.h"
#include "reports/print/grid_layout.h"
#include "reports/print/page_header.h"
#include "reports/print/player_list.h"
#include "reports/print/print_texts.h"
#include "reports/print/reception_list.h"
#include "reports/print/standings_print.h"
#include "reports/report_files.h"
#include "text/cp932.h"
#include "text/format.h"
#include "text/paths.h"

namespace toq::reports::print {

namespace {

constexpr double kLeftMarginMm = 8;

double screenPixelsToMm(double pixels, int dpi) {
  return pixels * 25.4 / (dpi > 0 ? dpi : 96);
}

}  // namespace

int pageCount(Layout layout, const data::Table& table, const data::Register& players,
              int linesPerPage) {
  switch (layout) {
    case Layout::PlayerList:
    case Layout::ReceptionList:
      return playerListPages(players.count(), linesPerPage);
    case Layout::Grid:
      return 1;
    case Layout::Chart:
      return chartPages(table.tableClass);
    case Layout::Slips:
    case Layout::Standings:
      break;  // counted by the job, which holds the slips or the places
  }
  return 1;
}

std::string documentTitle(const data::Table& table, Layout layout) {
  if (layout == Layout::Standings && !data::eventName(table).empty()) return data::eventName(table);
  if (table.filePath.empty()) return text::sj(texts::kUntitled);
  return pathCp932(table.filePath.filename());
}

double naturalWidthMm(Layout layout, const data::Table& table, ScreenResolution screen) {
  double pixels = 0;
  switch (layout) {
    case Layout::PlayerList:
      pixels = std::accumulate(std::begin(kPlayerColumnWidths), std::end(kPlayerColumnWidths), 0);
      break;
    case Layout::ReceptionList:
      pixels =
          std::accumulate(std::begin(kReceptionColumnWidths), std::end(kReceptionColumnWidths), 0);
      break;
    case Layout::Grid: {
      const std::vector<int> widths = gridColumnWidths(table.rounds());
      pixels = std::accumulate(widths.begin(), widths.end(), 0);
      break;
    }
    case Layout::Chart:
    case Layout::Slips:
    case Layout::Standings:
      // The chart is fitted to the page whenever its own sizes are too wide; the slips are
      // laid out on an A4 page upright.
      return 0;
  }
  return kLeftMarginMm + screenPixelsToMm(pixels, screen.dpiX);
}

std::filesystem::path defaultPdfPath(Layout layout, const data::Table& table,
                                     const std::filesystem::path& playerFile) {
  const bool register_ = layout == Layout::PlayerList || layout == Layout::ReceptionList;
  const std::filesystem::path& base = register_ ? playerFile : table.filePath;
  const char* suffix = layout == Layout::PlayerList      ? "-players.pdf"
                       : layout == Layout::ReceptionList ? "-reception.pdf"
                       : layout == Layout::Grid          ? "-grid.pdf"
                       : layout == Layout::Slips         ? "-slips.pdf"
                       : layout == Layout::Standings     ? "-standings.pdf"
                                                         : "-chart.pdf";
  std::filesystem::path stem = base.empty() ? std::filesystem::path("toq") : base.stem();
  stem += suffix;
  return base.empty() ? stem : base.parent_path() / stem;
}

std::filesystem::path slipsPdfPath(const data::Table& table, int round) {
  std::string name = text::toUtf8(data::eventName(table));
  for (char& ch : name)
    if (std::string_view("/\\:*?\"<>|").find(ch) != std::string_view::npos ||
        static_cast<unsigned char>(ch) < 0x20)
      ch = '_';
  if (name.empty()) name = "toq";
  const std::filesystem::path file =
      text::pathFromUtf8(name + text::format(texts::kSlipsFile, round));
  return table.filePath.empty() ? file : table.filePath.parent_path() / file;
}

PrintJob::PrintJob(Layout layout, const data::Table& table, const data::Register& players,
                   std::string documentTitle, ScreenResolution screen)
    : layout_(layout),
      table_(table),
      players_(players),
      documentTitle_(std::move(documentTitle)),
      screen_(screen) {}

double PrintJob::naturalWidthMm() const {
  return print::naturalWidthMm(layout_, table_, screen_);
}

int PrintJob::begin(Canvas& canvas, services::Services& ui) {
  fonts_.create(canvas);
  const int baseHeight = fonts_.select(canvas, FontRole::Base);
  measures_ = measureDevice(canvas.dpiX(), canvas.dpiY(), canvas.printableWidth(),
                            canvas.printableHeight(), screen_, baseHeight);
  if (measures_.linesPerPage == 0) ui.errorBox(texts::kLinesTooLarge, services::kErrorCaption);
  // The texts of the table layouts are the main view's.
  cells_.reset();
  if (layout_ == Layout::Grid || layout_ == Layout::Chart)
    cells_ = view::tableGrid(table_, players_);
  if (layout_ == Layout::Slips)
    pages_ = slipPages(slips_.size());
  else if (layout_ == Layout::Standings)
    pages_ =
        standingsPages(standings_, standingsPerPage(PageContext{canvas, measures_, fonts_, 1, 1}));
  else
    pages_ = pageCount(layout_, table_, players_, measures_.linesPerPage);
  return pages_;
}

void PrintJob::printPage(Canvas& canvas, int page) {
  const PageContext context{canvas, measures_, fonts_, page, pages_};
  // A slip is cut out: it carries everything it needs and the page has no header.
  if (layout_ == Layout::Slips) return drawSlipPage(context, slips_);
  drawPageHeader(context, pageHeaderText(layout_, pairing::makeDateStamp(), documentTitle_));
  switch (layout_) {
    case Layout::PlayerList:
      drawPlayerListPage(context, players_);
      break;
    case Layout::ReceptionList:
      drawReceptionListPage(context, players_);
      break;
    case Layout::Grid:
      if (cells_) drawGridPage(context, table_, players_, *cells_);
      break;
    case Layout::Chart:
      if (cells_) drawChartPage(context, table_, players_, *cells_);
      break;
    case Layout::Standings:
      drawStandingsPage(context, standings_, documentTitle_, caption_);
      break;
    case Layout::Slips:
      break;
  }
}

void PrintJob::end(Canvas& canvas) {
  fonts_.release(canvas);
  cells_.reset();
}

int printDocument(PrintJob& job, Canvas& canvas, services::Services& ui, int first, int last) {
  const int pages = job.begin(canvas, ui);
  first = std::max(1, first);
  last = last <= 0 ? pages : std::min(last, pages);
  int drawn = 0;
  for (int page = first; page <= last; ++page) {
    if (drawn > 0) canvas.newPage();
    job.printPage(canvas, page);
    ++drawn;
  }
  job.end(canvas);
  return drawn;
}

}  // namespace toq::reports::print
