#pragma once
// Standings after a round: score, wins, losses, draws, Solkoff and the beaten-opponents sums,
// and the rank, written into the table's standings block.

#include "data/register.h"
#include "data/table.h"

namespace toq::pairing {

/// True when some participant's player plays several boards: ranks then go by win rate.
bool winRateMode(const data::Table& table, const data::Register& players);

/// Fills standings[row][round] for every row. 0; -1 when a game up to `round` lacks a valid
/// result; 0 without change for round < 0.
int computeStandings(data::Table& table, const data::Register& players, int round);

/// The standings that the main view and the reports show: those of the last completed round.
struct ShownStandings {
  int round = -1;     ///< the last completed round; -1 when no round is complete
  bool known = true;  ///< false when the results cannot be counted (a damaged table)
};
/// Computes the standings of the last completed round into the table's standings block.
ShownStandings computeShownStandings(data::Table& table, const data::Register& players);

}  // namespace toq::pairing
