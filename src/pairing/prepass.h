#pragma once
// The bottom-up pre-pass of the later attempts: a few low-scoring rows are paired upwards
// before the normal top-down pass, which shakes loose rounds the top-down pass cannot finish.

#include "pairing/score_groups.h"

namespace toq::pairing {

/// Pairs from the lowest score group up, with partners from higher groups, and stops after
/// max(1, limit) pairs or at the first row it cannot place. Reads the score keys from the
/// standings block as it is; draws nothing from the generator.
void bottomUpPrePass(RoundPairing& rp, int limit);

}  // namespace toq::pairing
