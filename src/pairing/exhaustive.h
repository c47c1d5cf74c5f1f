#pragma once
// The exact searches that the driver falls back on after 199 failed attempts. They return the
// pairing that enumerating every complete assignment (first free row first, its candidates in
// row order) would keep as the first one of least cost, but in polynomial time.

#include "pairing/context.h"

namespace toq::pairing {

/// The professional step, then the least-cost pairing of the rest under `canPair`:
/// 0 written, -1 none exists (table unchanged after the professional step), -3 step failed.
int pairRoundExhaustively(PairingContext& ctx, int round);

/// The least-cost pairing of the whole round under `canPairAgain`, second meetings costing
/// 20 per amateur when play2 is on: 0 written, -1 none exists (table unchanged).
int pairWithProfessionalsExhaustively(PairingContext& ctx, int round);

}  // namespace toq::pairing
