#pragma once
// Pairings set by hand: an opponent chosen from the chooser, a bye, and cancelling a row's
// latest pairing. Each works on the row's first round without an opponent (or the round
// before it) and writes the table.

#include <functional>
#include <optional>

#include "edit/opponent_choices.h"
#include "edit/outcome.h"
#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// Shows the chooser and answers the chosen player number (or data::kBye); none on cancel or
/// when nothing is selected.
using OpponentChooser = std::function<std::optional<int>(const OpponentChoices&)>;

/// Pairs the row in its first free round with the first free row of the chosen player, or
/// gives it a bye. With `deriveHandicaps` on, the new game's handicap and sides come from the
/// ratings. Lock check; "相手が未定でありません。" when the player has no free row in that round.
/// Outcome: round, row and the opponent row in `other` (-1 for a bye).
Outcome setOpponent(Workspace& ws, services::Services& ui, int row, const OpponentChooser& choose);

/// Marks a bye in the row's first free round. Lock check.
Outcome setBye(Workspace& ws, services::Services& ui, int row);

/// Cancels the row's latest pairing (the round before its first free round), after the
/// question captioned "警告": opponent, side, handicap and result of both rows are cleared.
Outcome cancelLastPairing(Workspace& ws, services::Services& ui, int row);

}  // namespace toq::edit
