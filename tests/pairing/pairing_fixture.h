#pragma once
// Helpers for the pairing tests: fields of named rows, earlier rounds written by hand, and the
// pairs of a round as a sorted list.

#include <algorithm>
#include <memory>
#include <random>
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

/// A table with random players (some sharing rows, some multi-board or professional, some not
/// in the register), random opponent codes (corrupt ones included) and random result codes in
/// every round.
inline std::unique_ptr<Tournament> scrambled(std::mt19937& rng) {
  auto t = makeTournament(data::kMaxRounds);
  const int players = 2 + static_cast<int>(rng() % 20);
  for (int i = 0; i < players; ++i)
    t->addPlayer("P" + std::to_string(i), 1600, 1 + static_cast<int>(rng() % 3 == 0),
                 rng() % 5 == 0);
  auto& tb = t->table;
  const int rows = 1 + static_cast<int>(rng() % 30);
  for (int row = 0; row < rows; ++row) {
    // Mostly registered numbers, sometimes the previous row's, sometimes an unknown one.
    const int pick = static_cast<int>(rng() % 10);
    const int number = pick == 0 && row > 0 ? tb.participants[row - 1]
                       : pick == 1          ? 900 + row
                                            : 1 + static_cast<int>(rng() % players);
    tb.participants[row] = number;
  }
  tb.participantCount = rows;
  const std::int16_t codes[] = {data::kUnpaired, data::kBye, data::kAbsent, -7, 150, 99};
  for (int row = 0; row < data::kMaxRows; ++row)
    for (int k = 0; k < data::kMaxRounds; ++k) {
      tb.opponent[row][k] =
          rng() % 4 == 0 ? codes[rng() % 6] : static_cast<std::int16_t>(rng() % (rows + 2));
      tb.result[row][k] = static_cast<std::int16_t>(rng() % 8 == 0 ? rng() % 6 : 1 + rng() % 3);
    }
  return t;
}

}  // namespace toq::testing
