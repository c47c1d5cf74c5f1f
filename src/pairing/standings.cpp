#include "pairing/standings.h"

#include <algorithm>

namespace toq::pairing {

namespace {

using data::kMaxRows;
using data::StandingsEntry;
using data::Table;

/// Rows the computation may touch, whatever the table's count says.
int usedRows(const Table& table) {
  return std::clamp(table.participantCount, 0, kMaxRows);
}

/// The opponent row of (row, round) when it is a used row, else -1; never an index outside
/// the arrays, whatever the table's count holds.
int opponentOf(const Table& table, int row, int round) {
  const int o = table.opponentRow(row, round);
  return o < kMaxRows ? o : -1;
}

/// True when (row, round) holds a game whose result counts: a bye, an absence or an opponent
/// code that names no used row is no game. Only a row that is not paired yet still needs one.
bool needsResult(const Table& table, int row, int round) {
  return table.opponent[row][round] == data::kUnpaired || opponentOf(table, row, round) >= 0;
}

/// Wins, losses, draws and score of every row; -1 at the first game without a valid result.
int countResults(Table& table, int n, int round) {
  for (int i = 0; i < n; ++i) {
    int score = 0, wins = 0, losses = 0, draws = 0;
    for (int j = 0; j <= round; ++j) {
      if (!needsResult(table, i, j)) continue;
      switch (table.result[i][j]) {
        case data::kWin:
          ++wins;
          score += 2;
          break;
        case data::kDraw:
          ++draws;
          score += 1;
          break;
        case data::kLoss:
          ++losses;
          break;
        default:
          return -1;
      }
    }
    StandingsEntry& e = table.standings[i][round];
    e.score = score;
    e.wins = wins;
    e.losses = losses;
    e.draws = draws;
  }
  return 0;
}

/// Solkoff, beaten-opponents and trimmed beaten-opponents sums, from the scores after `round`.
void tieBreakSums(Table& table, int n, int round) {
  for (int i = 0; i < n; ++i) {
    int solkoff = 0, beaten = 0;
    int highest = -1, highestRow = -1;
    int lowest = 1000, lowestRow = -1;
    for (int j = 0; j <= round; ++j) {
      const int o = opponentOf(table, i, j);
      if (o < 0) continue;
      const int s = table.standings[o][round].score;
      solkoff += s;
      if (table.result[i][j] != data::kWin) continue;
      beaten += s;
      // The first of equal highest and the last of equal lowest opponents are left out.
      if (s > highest) {
        highest = s;
        highestRow = o;
      }
      if (s <= lowest) {
        lowest = s;
        lowestRow = o;
      }
    }
    int trimmed = 0;
    if (round >= 2) {
      for (int j = 0; j <= round; ++j) {
        const int o = opponentOf(table, i, j);
        if (o < 0 || table.result[i][j] != data::kWin) continue;
        if (o != highestRow && o != lowestRow) trimmed += table.standings[o][round].score;
      }
    }
    StandingsEntry& e = table.standings[i][round];
    e.solkoff = solkoff;
    e.beaten = beaten;
    e.trimmed = trimmed;
  }
}

/// True when `row` won against `other` in some round up to `round`.
bool beat(const Table& table, int row, int other, int round) {
  for (int j = 0; j <= round; ++j)
    if (opponentOf(table, row, j) == other && table.result[row][j] == data::kWin) return true;
  return false;
}

/// True when row i is placed before the current best row.
bool placesBefore(const Table& table, int i, int best, int round) {
  const StandingsEntry& a = table.standings[i][round];
  const StandingsEntry& b = table.standings[best][round];
  if (a.score != b.score) return a.score > b.score;
  if (a.solkoff != b.solkoff) return a.solkoff > b.solkoff;
  if (a.beaten != b.beaten) return a.beaten > b.beaten;
  if (a.trimmed != b.trimmed) return a.trimmed > b.trimmed;
  return beat(table, i, best, round);
}

/// Distinct ranks 1..n by score and the tie-breaks.
void rankByScore(Table& table, int n, int round) {
  for (int k = 1; k <= n; ++k) {
    int best = -1;
    for (int i = 0; i < n; ++i) {
      if (table.standings[i][round].rank != 0) continue;
      if (best < 0 || placesBefore(table, i, best, round)) best = i;
    }
    if (best < 0) return;
    table.standings[best][round].rank = k;
  }
}

/// Board groups ranked as one by win rate; followers get -1, equal rows share a rank.
void rankByWinRate(Table& table, int n, int round) {
  std::array<float, kMaxRows> rate{};
  std::array<int, kMaxRows> decided{};
  for (int i = 0; i < n; ++i) {
    if (i > 0 && table.participants[i] == table.participants[i - 1]) {
      table.standings[i][round].rank = -1;
      continue;
    }
    int wins = table.standings[i][round].wins;
    int losses = table.standings[i][round].losses;
    // The group is the row, the next row when it holds the player, and only then any of the
    // three rows after that which holds the player: five rows at most.
    if (i + 1 < n && table.participants[i + 1] == table.participants[i]) {
      for (int k = i + 1; k <= i + 4 && k < n; ++k) {
        if (table.participants[k] != table.participants[i]) continue;
        wins += table.standings[k][round].wins;
        losses += table.standings[k][round].losses;
      }
    }
    decided[i] = wins + losses;
    rate[i] = decided[i] == 0 ? 0.0f : static_cast<float>(wins) / static_cast<float>(decided[i]);
  }
  int k = 1;
  while (k <= n) {
    int best = -1;
    for (int i = 0; i < n; ++i) {
      if (table.standings[i][round].rank != 0) continue;
      if (best < 0 || rate[i] > rate[best] || (rate[i] == rate[best] && decided[i] > decided[best]))
        best = i;
    }
    if (best < 0) return;
    int shared = 0;
    for (int i = 0; i < n; ++i) {
      StandingsEntry& e = table.standings[i][round];
      if (e.rank != 0 || rate[i] != rate[best] || decided[i] != decided[best]) continue;
      e.rank = k;
      ++shared;
    }
    k += shared;
  }
}

}  // namespace

bool winRateMode(const data::Table& table, const data::Register& players) {
  return table.AnyMultiEntry(players) != 0;
}

int computeStandings(data::Table& table, const data::Register& players, int round) {
  if (round < 0) return 0;
  if (round >= data::kMaxRounds || round >= table.numberOfGames) return -1;
  const int n = usedRows(table);
  if (countResults(table, n, round) != 0) return -1;
  tieBreakSums(table, n, round);
  for (int i = 0; i < n; ++i) table.standings[i][round].rank = 0;
  if (winRateMode(table, players))
    rankByWinRate(table, n, round);
  else
    rankByScore(table, n, round);
  return 0;
}

ShownStandings computeShownStandings(data::Table& table, const data::Register& players) {
  ShownStandings shown;
  shown.round = std::min(table.LastCompletedRound(), data::kMaxRounds - 1);
  shown.known = shown.round < 0 || computeStandings(table, players, shown.round) == 0;
  return shown;
}

}  // namespace toq::pairing
