#pragma once
// The professional step: every professional's unpaired row gets an amateur who has played
// professionals least so far.

#include <optional>

#include "pairing/context.h"
#include "pairing/meeting_cache.h"
#include "pairing/pairing_way.h"
#include "pairing/professional_round.h"
#include "pairing/row_list.h"

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

/// The amateur rows of least cost for professional row p, in table order: those of the strict
/// stage, or when it has none and `relaxed` is set, those of the relaxed stage; empty when
/// none. No draw.
RowList cheapestAmateurs(const ProfessionalRound& round, const PairingOptions& options, int p,
                         bool relaxed);

/// An amateur row for professional row p, or none: one draw among `cheapestAmateurs`.
std::optional<int> chooseAmateur(PairingContext& ctx, int round, int p, bool relaxed);
std::optional<int> chooseAmateur(PairingContext& ctx, const ProfessionalRound& round, int p,
                                 bool relaxed);

/// 0 when every professional row is paired, -1 when it gave up after 50 passes. The second
/// form pairs round `facts.round()` with the run's answers, built for the table as it is;
/// `report`, when given, is reset and receives the games it placed and in which passes.
int professionalStep(PairingContext& ctx, int round);
int professionalStep(PairingContext& ctx, const MeetingCache& facts,
                     ProfessionalStepReport* report = nullptr);

}  // namespace toq::pairing
