#pragma once
// Results: the result list's choices, the question the result dialog shows for one game (the
// entry itself is edit/result_entry.h), and random results for a whole round (a test aid).

#include <cstdint>
#include <optional>
#include <string>

#include "edit/outcome.h"
#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// The result lists' choices in list order: "勝ち", "負け", "引き分け", "取り消し", and the result
/// code each stores for the row.
inline constexpr int kResultPositions = 4;
extern const char* const kResultNames[kResultPositions];
inline constexpr std::int16_t kResultCodes[kResultPositions] = {data::kWin, data::kLoss,
                                                                data::kDraw, data::kResultNone};

/// The list position that shows a row's stored result ("取り消し" for anything but 3, 1, 2).
int resultPosition(int result);
/// The name of a result code ("勝ち"...), "取り消し" for no result or anything else.
const char* resultName(int result);
/// True for a code a game's row may hold: win, loss, draw or no result.
bool isResultCode(int result);
/// Stores a result code for the row and its opposite for the opponent.
void storeResult(data::Table& table, int round, int row, int other, int result);
/// Stores the result of a list position from the row's side in both rows of the game; false
/// (nothing stored) for a position outside the list.
bool applyResultPosition(data::Table& table, int round, int row, int other, int position);

/// What the result dialog shows for one game.
struct ResultQuestion {
  int row = -1;
  int round = -1;
  int other = -1;                  ///< the opponent's row
  std::string caption;             ///< CP932 "%s 対 %s"
  std::string label;               ///< CP932 "%d回戦の勝敗"
  int result = data::kResultNone;  ///< the row's stored result, preselected
};

/// The dialog for the game of (row, round); none when the cell holds no game.
std::optional<ResultQuestion> resultQuestion(const Workspace& ws, services::Services& ui, int row,
                                             int round);

/// Draws a result for every game of the first unfinished round after a question, from the
/// workspace's generator, and writes the table. "結果は入力済みです。" when every round is
/// complete. No lock check.
Outcome randomResults(Workspace& ws, services::Services& ui);

}  // namespace toq::edit
