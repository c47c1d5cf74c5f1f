#pragma once
// Who may meet whom: the tests every step of the pairing asks.

#include "data/register.h"
#include "data/table.h"

namespace toq::pairing {

/// The player of a row, found by number; none when no record holds it.
const data::Player* playerOf(const data::Table& table, const data::Register& players, int row);
bool isProfessional(const data::Table& table, const data::Register& players, int row);
bool isWomanProfessional(const data::Table& table, const data::Register& players, int row);
int entriesOf(const data::Table& table, const data::Register& players, int row);

/// Times the players of rows a and b met before round r, counted over every row of a's
/// player whose opponent is b or a row of b's player. Byes and absences are no meeting.
int meetings(const data::Table& table, int round, int a, int b);
/// True when the two players met before round r.
bool haveMet(const data::Table& table, int round, int a, int b);

/// The strict test: different players, b unpaired in r, not both multi-board, not both
/// professional, never met.
bool canPair(const data::Table& table, const data::Register& players, int round, int a, int b);

/// Score key of a row before round r (half-points after round r-1; 0 in round 0), read from
/// the standings block, which must hold round r-1.
int scoreKey(const data::Table& table, int round, int row);

}  // namespace toq::pairing
