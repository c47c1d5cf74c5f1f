#pragma once
// Results: one game's result from the result dialog (ResultDialog), and random results for a
// whole round (a test aid).

#include <functional>
#include <optional>
#include <string>

#include "edit/outcome.h"
#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// Positions of the result list: "勝ち", "負け", "引き分け", "取り消し".
inline constexpr int kResultPositions = 4;
extern const char* const kResultNames[kResultPositions];

/// The list position that shows a row's stored result ("取り消し" for anything but 3, 1, 2).
int resultPosition(int result);
/// Stores the result of a list position from the row's side in both rows of the game; false
/// (nothing stored) for a position outside the list.
bool applyResultPosition(data::Table& table, int round, int row, int other, int position);

/// What the result dialog shows for one game.
struct ResultQuestion {
  int row = -1;
  int round = -1;
  int other = -1;       ///< the opponent's row
  std::string caption;  ///< CP932 "%s 対 %s"
  std::string label;    ///< CP932 "%d回戦の勝敗"
  int position = 3;     ///< preselected list position
};

/// The dialog for the game of (row, round); none when the cell holds no game.
std::optional<ResultQuestion> resultQuestion(const Workspace& ws, services::Services& ui, int row,
                                             int round);

/// Shows the result dialog and answers the chosen list position; none on cancel.
using ResultChooser = std::function<std::optional<int>(const ResultQuestion&)>;

/// Enters the result of the game in (row, round), writes the table and shows
/// "結果の未入力は %d組" for that round. Lock check.
Outcome enterResult(Workspace& ws, services::Services& ui, int row, int round,
                    const ResultChooser& choose);

/// The list position that enters a result code from the row's side: win, loss, draw, none
/// ("取り消し"); -1 for any other code.
int positionOfResult(int result);

/// Enters a result code (data::kWin, kLoss, kDraw or kResultNone) for the game of (row, round)
/// from the row's side, as a result key does: the result command with that answer, so with
/// its checks, refusals, table write and status message. Any other code is refused with
/// "勝敗の指定が正しくありません。".
Outcome enterResultCode(Workspace& ws, services::Services& ui, int row, int round, int result);

/// Draws a result for every game of the first unfinished round after a question, from the
/// workspace's generator, and writes the table. "結果は入力済みです。" when every round is
/// complete. No lock check.
Outcome randomResults(Workspace& ws, services::Services& ui);

}  // namespace toq::edit
