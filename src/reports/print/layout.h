#pragma once
// The three printed layouts and what every page of them is drawn with.

#include <span>
#include <string>
#include <vector>

#include "reports/print/canvas.h"
#include "reports/print/fonts.h"
#include "reports/print/measures.h"

namespace toq::reports::print {

enum class Layout {
  PlayerList,  ///< the player register, one row per player, as many pages as it takes
  Grid,        ///< the coloured grid of the tournament table ("印刷形式２"), one page
  Chart,       ///< the vertical league chart, one page (two for Ｃ級２組)

  /// the register's applicants with a box to tick at the door (受付名簿)
  ReceptionList,
  Slips,  ///< the result slips of a round, eight on a page (slips.h)
  /// the standings in rank order for the prize-giving (成績表), as many pages as it takes
  Standings,
};

/// The layout the window prints: the player list in player mode; in table mode the coloured
/// grid while the print format flag is on, else the league chart.
constexpr Layout layoutFor(bool tableMode, bool printFormat2) {
  return !tableMode ? Layout::PlayerList : printFormat2 ? Layout::Grid : Layout::Chart;
}

/// One page being drawn.
struct PageContext {
  Canvas& canvas;
  const DeviceMeasures& measures;
  const JobFonts& fonts;
  int page = 1;  ///< from 1
  int pageCount = 1;
};

/// Draws a CP932 text centred in a cell and clipped to it, in the selected font.
void drawCentred(Canvas& canvas, const Rect& cell, std::string_view cp932);

/// The columns of a ruled list (the player list, the grid): the left edge of each column and
/// the right edge of the last, from the left margin and their widths in screen pixels.
std::vector<int> columnEdges(const DeviceMeasures& m, std::span<const int> widths);

/// Draws the heading row of a ruled list at the top of the body in the selected font: a thin
/// rule above it, each CP932 heading (an empty one is left out) clipped to its cell less
/// `clipInset` on the right, the column rules (thin for the first column and the right edge,
/// hairlines between) and a thin rule under it. Returns where the first line of the list starts.
int drawHeadingRow(Canvas& c, const DeviceMeasures& m, const std::vector<int>& x,
                   const std::vector<std::string>& headings, int clipInset);

}  // namespace toq::reports::print
