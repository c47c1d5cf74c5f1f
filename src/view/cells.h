#pragma once
// The texts of single cells of the main view (CP932): round headers, the marks of a game's
// lower line, a round cell and the summary cells of the standings.

#include <string>
#include <vector>

#include "data/table.h"

namespace toq::view {

/// Header of a round column (0-based round): "１回戦" to "９回戦", then "10回戦", "11回戦"...
std::string roundHeader(int round);

/// Lower-line marks of a round cell: the handicap ("香上", "角下"... or a half-width space
/// for an even game), the side (only in an even game) and the result.
std::string handicapMark(int handicap);
std::string sideMark(int side);
std::string resultMark(int result);

/// The two lines of one cell.
struct CellPair {
  std::string first;
  std::string second;
};

/// The round cell of a row: the opponent's short name over the marks; "休場" for an absence;
/// empty when unpaired, for a bye, or when the opponent is not a used row.
CellPair roundCell(const data::Table& table, int row, int round,
                   const std::vector<std::string>& shortNames);

/// "棄権" (CP932) for a row withdrawn from the event (data::withdrawnFrom), else empty: the
/// window, the reports and the pages mark such a player beside their standing.
std::string withdrawnMark(const data::Table& table, int row);

/// The three summary cells of a row: record (with the "計" totals of a board group on the
/// second line, or the withdrawal mark there), win rate or Solkoff score, rank. `round` is the
/// round the standings block holds, -1 when no round is complete.
struct StandingsCells {
  CellPair record;
  std::string rateOrSolkoff;
  std::string rank;
};
StandingsCells standingsCells(const data::Table& table, int row, int round, bool winRateMode);

}  // namespace toq::view
