#pragma once
// First move and handicaps for a freshly paired round.

#include "pairing/context.h"

namespace toq::pairing {

/// Balances first and second moves over the rounds; reseeds the generator with 1.
void assignSides(PairingContext& ctx, int round);

/// Handicaps and sides from the two ratings, for games still at handicap 0.
void assignHandicaps(PairingContext& ctx, int round);

/// Handicap and sides of one game from the ratings, as assignHandicaps does for row i.
void assignHandicapForRow(PairingContext& ctx, int round, int row);

}  // namespace toq::pairing
