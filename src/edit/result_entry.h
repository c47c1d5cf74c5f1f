#pragma once
// One game's result, whoever enters it: a result key, the result dialog, the network's pages
// (the organiser's and the result desk's). The result travels as a result code from the row's
// side (data::kWin, kLoss, kDraw or kResultNone); the guards run once, here.

#include <functional>
#include <optional>

#include "edit/outcome.h"
#include "edit/results.h"
#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// Who enters the result, and so what may be entered.
enum class ResultEntryRule {
  Window,     ///< the window's cells: a cell without a game is passed over in silence
  Organiser,  ///< the organiser's page: sets, changes or clears any game; no game is explained
  Desk,       ///< a player at the result desk: win, loss or draw for a game without a result
};

/// Shows the result dialog and answers the chosen result code; none on cancel.
using ResultChooser = std::function<std::optional<int>(const ResultQuestion&)>;

/// Enters the result of the game in (row, round) from the row's side: the chosen code for the
/// row, the opposite for its opponent; writes the table and shows "結果の未入力は %d組" for that
/// round. A row or round out of range: Stop::BadIndex; the lock flag: Stop::Locked; a cell
/// without a game: Stop::NothingToDo in the window, otherwise Stop::Refused with a message
/// naming the row's player (a bye, an absence, no pairing yet); a code that is no result:
/// Stop::Refused with "勝敗の指定が正しくありません。"; at the desk, "no result": Stop::Refused;
/// a game that already has the same result: confirmed ("確認しました", done, nothing changed); a
/// game that has another: Stop::Refused and the disagreement kept (edit/disagreements.h).
Outcome enterResult(Workspace& ws, services::Services& ui, int row, int round,
                    const ResultChooser& choose, ResultEntryRule rule = ResultEntryRule::Window);

/// The same with the code given: a result key, a request from the network, toq-cli.
Outcome enterResultCode(Workspace& ws, services::Services& ui, int row, int round, int result,
                        ResultEntryRule rule = ResultEntryRule::Window);

}  // namespace toq::edit
