#pragma once
// The pairing driver: 199 seeded attempts, then the exact searches.

#include <functional>

#include "pairing/context.h"
#include "pairing/pairing_way.h"

namespace toq::pairing {

/// One attempt with the generator already seeded: 0 paired, -1 failed, -2 odd count in
/// round 0, -3 the professional step failed. Leaves its partial work in the table.
/// `professionals`, when given, receives what the professional step did.
int pairRound(PairingContext& ctx, int round, int seed,
              ProfessionalStepReport* professionals = nullptr);

/// Pairs round `round`: 0 on success, -2 after its own error message. `refresh` redraws the
/// table display; it is called once before the failure message. `way`, when given, receives
/// how the round was paired (method None on failure); asking for it changes nothing else.
int runPairing(PairingContext& ctx, int round, const std::function<void()>& refresh,
               PairingWay* way = nullptr);

}  // namespace toq::pairing
