#pragma once
// What the reports read of the standings: the round they describe, each row's record, and the
// sums over a player's board group (up to five rows, which is why the texts name ２面 to ５面).

#include <string>

#include "data/register.h"
#include "data/table.h"

namespace toq::reports {

/// Rows and rounds of the table, kept within the table's capacity whatever it claims.
int rowsOf(const data::Table& table);
int roundsOf(const data::Table& table);

/// The opponent row of (row, round) when the opponent code names a used row, else -1.
int opponentOf(const data::Table& table, int row, int round);

/// The last completed round with its standings computed into the table's standings block, or
/// -1 when no round is complete or the standings cannot be computed from what the table holds.
int standingsRound(data::Table& table, const data::Register& players);

/// True when both rows are used rows holding the same player number.
bool samePlayer(const data::Table& table, int a, int b);
/// The row continues a board group: the row above holds the same player.
bool continuesGroup(const data::Table& table, int row);
/// The row is the last of a board group of two rows or more.
bool closesGroup(const data::Table& table, int row);

/// Wins, losses and draws, summed over `rows` rows.
struct Record {
  int wins = 0;
  int losses = 0;
  int draws = 0;
  int rows = 0;
};

/// The row's own record after round m (all zero when m < 0).
Record ownRecord(const data::Table& table, int row, int m);
/// The row's record plus that of each of the next four rows (step +1) or the previous four
/// (step -1) that holds the same player.
Record groupRecord(const data::Table& table, int row, int m, int step);

/// "%4.2f" of wins / (wins + losses); empty when no game was decided. Independent of the locale.
std::string winRateText(const Record& record);

}  // namespace toq::reports
