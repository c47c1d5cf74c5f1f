#pragma once
// The round being paired as the professional step and the professional exhaustive search see
// it: the run's prepared meeting answers, and who already faces whom in the round, kept up to
// date as games are placed, so that no question rescans the table.

#include <array>
#include <cstdint>

#include "data/table.h"
#include "pairing/meeting_cache.h"
#include "pairing/options.h"

namespace toq::pairing {

/// One round of the table with the answers the professional step asks on every try.
class ProfessionalRound {
 public:
  /// Reads round `facts.round()` of the table; `facts` must be built for this table, and both
  /// must outlive this object. A round outside the planes leaves no rows.
  ProfessionalRound(data::Table& table, const MeetingCache& facts);

  const MeetingCache& facts() const { return facts_; }
  int round() const { return round_; }
  /// Rows in use.
  int rows() const { return rows_; }

  bool unpaired(int row) const { return table_.opponent[row][round_] == data::kUnpaired; }
  /// True when some row of a's player already faces b's player in the round (used rows).
  bool meetInRound(int a, int b) const { return facing_[facts_.player(a)][facts_.player(b)] != 0; }
  /// True when no professional row is without opponent in the round.
  bool allProfessionalsPlaced() const { return waiting_ == 0; }
  /// Grows with every game placed: answers worked out at one value hold until it changes.
  int version() const { return version_; }

  /// `canPairAgain` for used rows a and b of the round.
  bool canPairAgain(const PairingOptions& options, int a, int b) const;

  /// Writes the pair a-b (used rows) in both rows and brings the answers up to date.
  void pair(int a, int b);

 private:
  /// Takes the row's entry out of the answers (sign -1) or puts it in (sign +1).
  void count(int row, int sign);

  data::Table& table_;
  const MeetingCache& facts_;
  int round_;
  int rows_;
  int waiting_ = 0;  ///< professional rows without opponent
  int version_ = 0;
  /// facing_[x][y]: rows of player x whose opponent in the round is a row of player y.
  std::array<std::array<std::uint8_t, data::kMaxRows>, data::kMaxRows> facing_{};
};

}  // namespace toq::pairing
