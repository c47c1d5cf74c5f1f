#pragma once
// The coloured grid ("印刷形式２"): the main view's table on one page, two lines per
// participant, with the games against professionals, second meetings, byes and first moves
// marked by colour.

#include <optional>
#include <vector>

#include "data/register.h"
#include "data/table.h"
#include "reports/print/layout.h"
#include "view/colours.h"
#include "view/grid.h"

namespace toq::reports::print {

/// Cell fills of the grid: the printed palette of the game marks, and the first move.
inline constexpr view::Rgb kByeFill{200, 200, 200};
inline constexpr view::Rgb kFirstMoveFill{230, 230, 255};
inline constexpr view::Rgb kSecondMeetingFill{255, 190, 190};
inline constexpr view::Rgb kWomanGameFill{255, 230, 230};
inline constexpr view::Rgb kProfessionalGameFill{210, 255, 210};

/// Up to this many rounds every round column keeps its width; beyond, the round columns share
/// the width of this many, so the grid is never wider than with 16 rounds.
inline constexpr int kGridFullWidthRounds = 16;

/// Column widths in screen pixels: No. 28, 対局者 90, then 45 for every round and the three
/// summary columns (narrower round columns beyond 16 rounds).
std::vector<int> gridColumnWidths(int rounds);

/// Lines the page shows: every participant takes two, and only whole participants that fit
/// the lines per page are printed.
int gridLineCount(int participants, int linesPerPage);

/// The fill of a round cell, or none: the upper line shows the game's mark (view::gameMark) in
/// the printed palette, a bye is grey on both lines, and the lower line of an even game the row
/// opens is blue.
std::optional<view::Rgb> gridCellFill(const data::Table& table, const data::Register& players,
                                      int row, int round, bool lowerLine);

/// True when the column's left edge gets a thin rule rather than a hairline.
bool gridColumnRuleIsThin(const data::Table& table, int column);

/// Draws the grid's page. `cells` is the main view's grid of the same table, whose texts the
/// printed cells show.
void drawGridPage(const PageContext& page, const data::Table& table, const data::Register& players,
                  const view::Grid& cells);

}  // namespace toq::reports::print
