#pragma once
// A print job as the print machinery runs it: begin (fonts, device measures, page count),
// each page (header and body of the layout), end (the fonts go).

#include <filesystem>
#include <optional>
#include <string>

#include "data/register.h"
#include "data/table.h"
#include "reports/print/canvas.h"
#include "reports/print/fonts.h"
#include "reports/print/layout.h"
#include "reports/print/measures.h"
#include "reports/print/slips.h"
#include "reports/standings_list.h"
#include "services/services.h"
#include "view/grid.h"

namespace toq::reports::print {

/// Pages of a layout with `linesPerPage` body lines: the player list as many as its players
/// need (at least one), the grid one, the chart one (two for Ｃ級２組).
int pageCount(Layout layout, const data::Table& table, const data::Register& players,
              int linesPerPage);

/// The title the grid's header names: the table file's name as the window's title shows it
/// (CP932), "無題" for a table without a file. The standings are read out: their title is the
/// event's name.
std::string documentTitle(const data::Table& table, Layout layout = Layout::Grid);

/// Width the layout needs right of the printable area's left edge, in millimetres; 0 for the
/// chart, which is fitted to the page when its own sizes are too wide. Lets a PDF choose the
/// orientation of its pages.
double naturalWidthMm(Layout layout, const data::Table& table, ScreenResolution screen);

/// Where a PDF of the layout goes unless the user says otherwise: beside the player file
/// ("NAME-players.pdf") for the player list, beside the table file ("NAME-grid.pdf",
/// "NAME-chart.pdf") for the others.
std::filesystem::path defaultPdfPath(Layout layout, const data::Table& table,
                                     const std::filesystem::path& playerFile);

/// The slips' PDF beside the table file, named for the event and the round:
/// "春の将棋大会-3回戦-結果用紙.pdf" (`round` 1-based; a character a file name cannot hold
/// becomes "_").
std::filesystem::path slipsPdfPath(const data::Table& table, int round);

class PrintJob {
 public:
  PrintJob(Layout layout, const data::Table& table, const data::Register& players,
           std::string documentTitle, ScreenResolution screen);

  /// Creates the fonts, measures the device and counts the pages. When no line fits the
  /// printable height, says "行間隔が大き過ぎます。" and prints one page.
  int begin(Canvas& canvas, services::Services& ui);
  /// Draws page `page` (from 1): the page header, then the layout's body.
  void printPage(Canvas& canvas, int page);
  /// Deletes the fonts.
  void end(Canvas& canvas);

  /// The slips a job of Layout::Slips prints, one per board.
  void setSlips(std::vector<SlipCard> slips) { slips_ = std::move(slips); }
  /// The places a job of Layout::Standings prints.
  void setStandings(StandingsList list, std::string caption) {
    standings_ = std::move(list);
    caption_ = std::move(caption);
  }
  const std::vector<SlipCard>& slips() const { return slips_; }

  Layout layout() const { return layout_; }
  /// The document title the job was made with (CP932).
  const std::string& title() const { return documentTitle_; }
  /// naturalWidthMm of the job's layout and table.
  double naturalWidthMm() const;
  int pages() const { return pages_; }
  const DeviceMeasures& measures() const { return measures_; }

 private:
  Layout layout_;
  const data::Table& table_;
  const data::Register& players_;
  std::string documentTitle_;
  ScreenResolution screen_;
  JobFonts fonts_;
  DeviceMeasures measures_;
  std::optional<view::Grid> cells_;
  std::vector<SlipCard> slips_;
  StandingsList standings_;
  std::string caption_;  ///< UTF-8
  int pages_ = 1;
};

/// Runs a whole job on the canvas: begin, pages `first` to `last` (0: to the end) with a page
/// break between two pages, end. Returns the number of pages drawn.
int printDocument(PrintJob& job, Canvas& canvas, services::Services& ui, int first = 1,
                  int last = 0);

}  // namespace toq::reports::print
