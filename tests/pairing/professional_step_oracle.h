#pragma once
// TEST ORACLE: the professional step as it was before it took the run's prepared meeting
// answers, kept unchanged so that the differential test can hold the step of the engine to it.
// It asks the table and the register afresh on every question, which makes it slow on large
// registers but plain to read. Do not speed it up or fix it here: change the engine instead.

#include <optional>

#include "pairing/context.h"

namespace toq::pairing::oracle {

/// The old `chooseAmateur`: an amateur row for professional row p, or none.
std::optional<int> chooseAmateur(PairingContext& ctx, int round, int p, bool relaxed);

/// The old `professionalStep`: 0 when every professional row is paired, -1 after 50 passes.
int professionalStep(PairingContext& ctx, int round);

}  // namespace toq::pairing::oracle
