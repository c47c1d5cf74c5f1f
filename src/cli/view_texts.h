#pragma once
// The texts of the main view's list, cell by cell (CP932): the tournament table with two lines
// per participant, and the player register. They depend on nothing but the core, so any
// front end can show them.

#include <string>
#include <vector>

#include "cli/text_grid.h"
#include "data/register.h"
#include "data/table.h"
#include "services/services.h"

namespace toq::cli {

/// Header of a round column (0-based round): "１回戦" to "９回戦", then "10回戦", "11回戦"...
std::string roundHeader(int round);

/// Second-line marks of a round cell: the handicap ("香上", "角下"... or a half-width space
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

/// The three standings cells of a row: record (with the "計" totals of a board group on the
/// second line), win rate or Solkoff score, rank. `round` is the round the standings block
/// holds, -1 when no round is complete.
struct StandingsCells {
  CellPair record;
  std::string rateOrSolkoff;
  std::string rank;
};
StandingsCells standingsCells(const data::Table& table, int row, int round, bool winRateMode);

/// The table mode: the header line, then lines 2k and 2k+1 for every participant row k.
/// Computes the standings of the last completed round first; when that fails the standings
/// columns stay empty. Missing players show the register's lookup messages and empty names.
std::vector<GridLine> tableModeLines(data::Table& table, const data::Register& players,
                                     services::Services& ui);

/// The player mode: the header line, then one line per register position.
std::vector<GridLine> playerModeLines(const data::Register& players);

}  // namespace toq::cli
