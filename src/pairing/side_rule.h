#pragma once
// Which rule decided the sides and handicaps of a paired round, found by deciding them again
// with each rule on a copy of the round and keeping the rule that agrees with most boards.

#include <memory>

#include "data/register.h"
#include "data/table.h"
#include "pairing/explanation.h"

namespace toq::pairing {

/// The rule of a round and the sides and handicaps it gives.
struct SideDecision {
  SideRule rule = SideRule::None;
  bool sixPieceHandicaps = false;  ///< the handicaps went up to six pieces
  /// The stored table with the round's sides and handicaps as the rule decides them.
  std::unique_ptr<data::Table> decided;
};

/// Tries, in this order, balanced sides, handicaps without and with the four- and six-piece
/// handicaps, and no rule; the first rule that agrees with the most boards of the round
/// stands. A board agrees when both rows hold the side and the handicap that the rule gives.
SideDecision decideSideRule(const data::Table& stored, const data::Register& players, int round);

/// True when the two rows of a game hold in `a` the sides that they hold in `b`.
bool sameSides(const data::Table& a, const data::Table& b, int round, int row, int other);
/// The same for the handicaps.
bool sameHandicaps(const data::Table& a, const data::Table& b, int round, int row, int other);

}  // namespace toq::pairing
