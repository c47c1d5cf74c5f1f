#pragma once
// The three printed layouts and what every page of them is drawn with.

#include "reports/print/canvas.h"
#include "reports/print/fonts.h"
#include "reports/print/measures.h"

namespace toq::reports::print {

enum class Layout {
  PlayerList,  ///< the player register, one row per player, as many pages as it takes
  Grid,        ///< the coloured grid of the tournament table ("印刷形式２"), one page
  Chart,       ///< the vertical league chart, one page (two for Ｃ級２組)
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

}  // namespace toq::reports::print
