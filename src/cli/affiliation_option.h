#pragma once
// "--avoid-affiliation N" of pair and serve: players of one affiliation kept apart in the
// first N rounds, 0 for every round.

#include "cli/commands.h"
#include "pairing/options.h"

namespace toq::cli {

/// Sets the option from "--avoid-affiliation N" when it is given; false, with the options
/// unchanged, when N is not a whole number of 0 or more.
bool readAvoidAffiliation(const Invocation& inv, pairing::PairingOptions& options);

}  // namespace toq::cli
