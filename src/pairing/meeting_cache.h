#pragma once
// What a pairing run asks again and again about the rounds before the one it pairs, prepared
// once per run: the players' records (the register is searched linearly and may hold 2000
// players), the meetings before the round and the games against professionals. None of it
// changes while the round is paired, so only the round itself is read from the table on each
// question.

#include <array>
#include <cstdint>

#include "data/register.h"
#include "data/table.h"

namespace toq::pairing {

/// Meetings before one round and the per-row player facts that the pairing tests need.
class MeetingCache {
 public:
  /// Prepares the answers for round `round` of the table as it is now.
  /// With `affiliationsApart`, two rows whose players share an affiliation cannot pair.
  void build(const data::Table& table, const data::Register& players, int round,
             bool affiliationsApart = false);

  /// The round the cache was built for.
  int round() const { return round_; }
  /// Rows in use when it was built (the table's count bounded by its capacity).
  int rows() const { return rows_; }

  /// Same answer as `haveMet(table, round(), a, b)` while rounds before it stay unchanged.
  bool haveMet(int a, int b) const { return timesMet(a, b) > 0; }
  /// `meetings(table, round(), a, b)` up to 2: 0 never, 1 once, 2 twice or more; 0 for rows
  /// outside the planes.
  int timesMet(int a, int b) const {
    if (a < 0 || a >= data::kMaxRows || b < 0 || b >= data::kMaxRows) return 0;
    return met_[playerId_[a]][playerId_[b]];
  }
  /// Same answer as `canPair(table, players, round(), a, b)` on the table it was built from,
  /// reading only the opponent of b in that round live; false for any row outside the table.
  bool canPair(const data::Table& table, int a, int b) const;

  /// True when the players of the two rows have the same (non-empty) affiliation.
  bool sameAffiliation(int a, int b) const {
    const int x = affiliation_[slot(a)];
    return x != 0 && x == affiliation_[slot(b)];
  }
  /// True when the run keeps the two rows apart for their affiliation.
  bool keptApart(int a, int b) const { return affiliationsApart_ && sameAffiliation(a, b); }
  /// True when some used row's player has an affiliation.
  bool anyAffiliation() const { return anyAffiliation_; }

  /// One id per player: the first row slot that holds the row's player number.
  int player(int row) const { return playerId_[slot(row)]; }
  /// Boards of the row's player (1 when no record holds it).
  int entries(int row) const { return entries_[slot(row)]; }
  bool professional(int row) const { return professional_[slot(row)]; }
  bool woman(int row) const { return woman_[slot(row)]; }
  /// Games before the round of a used row against professionals and women professionals.
  int gamesAgainstProfessionals(int row) const { return gamesAgainstProfessionals_[slot(row)]; }
  int gamesAgainstWomen(int row) const { return gamesAgainstWomen_[slot(row)]; }
  /// The used row that a used row met in the round before, or -1.
  int previousOpponent(int row) const { return previousOpponent_[slot(row)]; }

 private:
  /// Rows outside the planes read the answers of slot 0; callers pass used rows.
  static int slot(int row) { return row >= 0 && row < data::kMaxRows ? row : 0; }

  std::array<int, data::kMaxRows> playerId_{};
  std::array<int, data::kMaxRows> entries_{};
  std::array<bool, data::kMaxRows> professional_{};
  std::array<bool, data::kMaxRows> woman_{};
  std::array<std::int8_t, data::kMaxRows> gamesAgainstProfessionals_{};
  std::array<std::int8_t, data::kMaxRows> gamesAgainstWomen_{};
  std::array<std::int8_t, data::kMaxRows> previousOpponent_{};
  /// One id per affiliation: 1 + the first row slot whose player has it; 0 for none.
  std::array<int, data::kMaxRows> affiliation_{};
  /// met_[x][y]: games of the rows of player x against player y before the round, up to 2.
  std::array<std::array<std::uint8_t, data::kMaxRows>, data::kMaxRows> met_{};
  int round_ = -1;
  int rows_ = 0;
  bool affiliationsApart_ = false;
  bool anyAffiliation_ = false;

  void buildAffiliations(const data::Table& table, const data::Register& players);
};

}  // namespace toq::pairing
