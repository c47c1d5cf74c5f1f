#pragma once
// The professional step: every professional's unpaired row gets an amateur who has played
// professionals least so far.

#include <optional>

#include "pairing/context.h"

namespace toq::pairing {

/// The relaxed test: a second meeting is allowed as the options permit, a third never, and
/// never twice in one round.
bool canPairAgain(const data::Table& table, const data::Register& players,
                  const PairingOptions& options, int round, int a, int b);

/// True when no professional row is without opponent in the round.
bool allProfessionalsPlaced(const data::Table& table, const data::Register& players, int round);

/// Games before the round against professionals / women professionals.
int gamesAgainstProfessionals(const data::Table& table, const data::Register& players, int round,
                              int row);
int gamesAgainstWomen(const data::Table& table, const data::Register& players, int round, int row);

/// An amateur row for professional row p, or none.
std::optional<int> chooseAmateur(PairingContext& ctx, int round, int p, bool relaxed);

/// 0 when every professional row is paired, -1 when it gave up after 50 passes.
int professionalStep(PairingContext& ctx, int round);

}  // namespace toq::pairing
