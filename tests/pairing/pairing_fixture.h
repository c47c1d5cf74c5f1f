#pragma once
// Helpers for the pairing tests: fields of named rows, earlier rounds written by hand, and the
// pairs of a round as a sorted list.

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/builders.h"

namespace toq::testing {

/// A tournament of `rows` single-board players "R0", "R1", ...
inline std::unique_ptr<Tournament> fieldOf(int rows, int games = 9) {
  auto t = makeTournament(games);
  for (int i = 0; i < rows; ++i) t->addParticipant("R" + std::to_string(i));
  return t;
}

/// Adds one more row for an existing player number.
inline int addRow(Tournament& t, int number) {
  t.table.AddParticipant(number, t.ui);
  return t.table.participantCount - 1;
}

/// Marks rows as sitting out a round.
inline void byes(Tournament& t, int round, std::initializer_list<int> rows) {
  for (int row : rows) t.table.opponent[row][round] = data::kBye;
}

/// The pairs (lower row first) of a round, sorted.
inline std::vector<std::pair<int, int>> pairsOf(const data::Table& table, int round) {
  std::vector<std::pair<int, int>> pairs;
  for (int row = 0; row < table.participantCount; ++row) {
    int o = table.opponent[row][round];
    if (o > row) pairs.emplace_back(row, o);
  }
  std::sort(pairs.begin(), pairs.end());
  return pairs;
}

inline bool paired(const data::Table& table, int round, int a, int b) {
  return table.opponent[a][round] == b && table.opponent[b][round] == a;
}

}  // namespace toq::testing
