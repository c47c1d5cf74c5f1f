#pragma once
// The answers of `haveMet` and `canPair` for one round, prepared once per pairing run: the
// meetings before the round and the players' records do not change while it is paired, so
// only "is the row still unpaired" is read from the table on each question.

#include <array>
#include <bitset>

#include "data/register.h"
#include "data/table.h"

namespace toq::pairing {

/// Meetings before one round and the per-row player facts that `canPair` needs.
class MeetingCache {
 public:
  /// Prepares the answers for round `round` of the table as it is now.
  void build(const data::Table& table, const data::Register& players, int round);

  /// The round the cache was built for.
  int round() const { return round_; }
  /// Same answer as `haveMet(table, round(), a, b)` while rounds before it stay unchanged.
  bool haveMet(int a, int b) const;
  /// Same answer as `canPair(table, players, round(), a, b)` on the table it was built from,
  /// reading only the opponent of b in that round live; false for any row outside the table.
  bool canPair(const data::Table& table, int a, int b) const;

 private:
  /// First row (of all slots) that holds the same player number: one id per player.
  std::array<int, data::kMaxRows> playerId_{};
  std::array<bool, data::kMaxRows> multiBoard_{};
  std::array<bool, data::kMaxRows> professional_{};
  /// met_[x][y]: some row of player x faced some row of player y before the round.
  std::array<std::bitset<data::kMaxRows>, data::kMaxRows> met_{};
  int round_ = -1;
};

}  // namespace toq::pairing
