#pragma once
// The exact searches that the driver falls back on after 199 failed attempts. They return the
// pairing that enumerating every complete assignment (first free row first, its candidates in
// row order) would keep as the first one of least cost, but in polynomial time.

#include "pairing/context.h"
#include "pairing/meeting_cache.h"
#include "pairing/pairing_way.h"

namespace toq::pairing {

/// The professional step, then the least-cost pairing of the rest under `canPair`:
/// 0 written, -1 none exists (table unchanged after the professional step), -3 step failed.
/// The second form pairs round `facts.round()` with the run's answers, built for the table
/// as it is; `professionals`, when given, receives what the professional step did.
int pairRoundExhaustively(PairingContext& ctx, int round);
int pairRoundExhaustively(PairingContext& ctx, const MeetingCache& facts,
                          ProfessionalStepReport* professionals = nullptr);

/// The least-cost pairing of the whole round under `canPairAgain`, second meetings costing
/// 20 per amateur when play2 is on: 0 written, -1 none exists (table unchanged).
int pairWithProfessionalsExhaustively(PairingContext& ctx, int round);
int pairWithProfessionalsExhaustively(PairingContext& ctx, const MeetingCache& facts);

}  // namespace toq::pairing
