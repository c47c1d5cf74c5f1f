#pragma once
// Before round 1: the participants put in rating order (the highest first), so that the first
// round pairs the upper half against the lower half by strength, whatever order the reception
// or the import added them in.

#include <optional>
#include <string>

#include "edit/outcome.h"
#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// True when the rows stand in rating order (highest first; equal ratings in any order).
bool inRatingOrder(const Workspace& ws);

/// The pairing question's offer before round 1 when the rows are not in rating order (UTF-8):
/// yes sorts then pairs, no pairs in table order. None for a later round or rows in order.
std::optional<std::string> sortBeforePairingQuestion(const Workspace& ws);

/// The row of a player number in the table, or -1.
int rowOfPlayer(const Workspace& ws, int number);

/// Puts the rows in rating order (equal ratings keep their order; a row's entries move with it)
/// and writes the table. Lock check; refused once a round holds a game ("組み合わせがあるため、
/// 並べ替えられません。"); NothingToDo when already in order.
Outcome sortByRating(Workspace& ws, services::Services& ui);

}  // namespace toq::edit
