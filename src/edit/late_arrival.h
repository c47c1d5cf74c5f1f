#pragma once
// A player who arrives after a round has been paired takes part from the next round on: each
// of the player's new rows is marked absent (欠席) in the rounds already paired, in the same
// step that adds it, so that the next pairing is the next round's and the standings count
// those rounds as an absence.

#include "data/table.h"
#include "services/services.h"

namespace toq::edit {

/// Rounds already paired: from round 1 on, each round in which some row has an opponent.
int roundsAlreadyPaired(const data::Table& t);

/// Appends `rows` rows for the player, the rounds already paired marked absent on each.
/// Stops at 99 rows after the table's own message. Answers the rows added.
int addLateRows(data::Table& t, int number, int rows, services::Services& ui);

}  // namespace toq::edit
