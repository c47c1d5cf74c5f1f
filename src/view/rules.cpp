#include "view/rules.h"

namespace toq::view {

PairingButton pairingButtonState(const data::Table& table) {
  // A table without participants has nothing to pair (a new event, or every row removed).
  if (table.rows() == 0) return PairingButton::Disable;
  const int round = table.FirstUnpairedRound();
  if (round < 0) return PairingButton::Keep;
  return table.unpairedRows(round) % 2 == 0 ? PairingButton::Enable : PairingButton::Disable;
}

}  // namespace toq::view
