#pragma once
// A result named by a front end that shows no result dialog (the venue server's pages): the
// game is given as (row, round) and the result as a position of the result list. The checks,
// messages and table write are those of the dialog's command; a cell without a game, which a
// window never offers, is explained in words.

#include "edit/outcome.h"
#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// Who enters the result, and so what may be entered.
enum class ResultEntryRule {
  Organiser,  ///< sets, changes or clears any game's result
  Desk,       ///< a player at the result desk: win, loss or draw for a game without a result
};

/// Enters list position `position` ("勝ち", "負け", "引き分け", "取り消し", from the row's side)
/// for the game of (row, round), writes the table and shows "結果の未入力は %d組".
/// A row or round out of range: Stop::BadIndex; the lock flag: Stop::Locked; a bye, an absence
/// or no pairing yet: Stop::Refused with a message naming the row's player; at the desk, a game
/// that already has a result, or a position other than a result: Stop::Refused.
Outcome enterGivenResult(Workspace& ws, services::Services& ui, int row, int round, int position,
                         ResultEntryRule rule = ResultEntryRule::Organiser);

}  // namespace toq::edit
