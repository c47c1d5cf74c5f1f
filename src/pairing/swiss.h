#pragma once
// One Swiss pairing attempt: the professional step, the optional bottom-up pre-pass, then the
// score groups from the top down with floaters.

#include <optional>

#include "pairing/context.h"
#include "pairing/meeting_cache.h"
#include "pairing/pairing_way.h"

namespace toq::pairing {

/// One attempt with the generator already seeded and `cache` built for `round`: 0 every row
/// paired, -1 failed, -2 odd count in round 0, -3 the professional step failed. Seeds of 100
/// and above run the pre-pass first, which reads the standings block as it is: it must hold
/// the standings of the round before. Leaves its partial work in the table.
/// `standingsOfRoundBefore` is the result of computing those standings when the block already
/// holds them (the driver computes them once per run); without it the attempt computes them.
/// `professionals`, when given, receives what the professional step did.
int pairAttempt(PairingContext& ctx, const MeetingCache& cache, int round, int seed,
                std::optional<int> standingsOfRoundBefore = std::nullopt,
                ProfessionalStepReport* professionals = nullptr);

}  // namespace toq::pairing
