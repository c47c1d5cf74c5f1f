#pragma once
// A round's result sheet: every game of a round in the round list's board order with its
// current result, entered all at once as one command (one lock check, one table write, one
// undo step). Byes and absences are listed beside it, not to be entered.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "edit/outcome.h"
#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// The choices of a game, in list order: the player named first on the game's line (the round
/// list's first row) wins, the other wins, a draw, no result; a win names its player
/// ("<name> 勝ち"). Whichever of them moves first, the choices follow the line, so that key 1
/// is always the win of the name the organiser reads first.
inline constexpr int kSheetFirstWins = 0;
inline constexpr int kSheetSecondWins = 1;
inline constexpr int kSheetDraw = 2;
inline constexpr int kSheetNoResult = 3;
inline constexpr int kSheetChoices = 4;

/// The choice a key picks: 1, 2, 3 the first three choices, 0 no result; none for others.
std::optional<int> sheetChoiceOfKey(int key);

/// One player of a game as the sheet shows him.
struct SheetPlayer {
  int row = -1;
  std::string name;  ///< CP932
  std::string side;  ///< CP932 "先手"/"後手" (even game), "下手"/"上手" (handicap), or empty
};

/// One game of the round.
struct SheetGame {
  int board = 0;  ///< 1-based place in the round list
  SheetPlayer first;
  SheetPlayer second;                  ///< in the round list's order
  std::string handicap;                ///< CP932 "平手", "香落ち"…
  std::string choices[kSheetChoices];  ///< CP932 texts of the choices
  int choice = kSheetNoResult;         ///< the choice the stored result shows (first's view)
};

/// A participant without a game in the round.
struct SheetSittingOut {
  int row = -1;
  std::string name;    ///< CP932
  std::string reason;  ///< CP932 "抜け番" or "休場"
};

/// The sheet of one round.
struct RoundSheet {
  int round = -1;     ///< 0-based
  std::string title;  ///< CP932 "%d回戦"
  std::vector<SheetGame> games;
  std::vector<SheetSittingOut> sittingOut;
};

/// The game a round's sheet opens on: the first without a result, else the first.
int firstOpenGame(const RoundSheet& round);

/// Every round that holds a game, with the round the sheet opens on.
struct ResultSheet {
  std::vector<RoundSheet> rounds;  ///< ascending
  int initial = 0;                 ///< index into rounds
};

/// What the dialog answers: a round and one choice per game of its sheet, in sheet order.
struct ResultSheetAnswer {
  int round = -1;
  std::vector<int> choices;
};

/// A game's place in its round: the 1-based board and its two rows in the round list's order.
struct SheetBoard {
  int board = 0;
  int first = -1;
  int second = -1;
};
/// The board of the game that `row` plays in a round; none when the cell holds no game.
std::optional<SheetBoard> boardOfGame(const data::Table& table, int round, int row);

/// Rounds that hold at least one game, ascending.
std::vector<int> pairedRounds(const data::Table& table);
/// The round the sheet opens on: the first round with a game without a result, else the last
/// round with a game; -1 when no round holds a game.
int defaultSheetRound(const data::Table& table);

/// The sheet of one round; none for a round outside the table.
std::optional<RoundSheet> roundSheet(const Workspace& ws, services::Services& ui, int round);
/// The sheets of every paired round; none when no round holds a game.
std::optional<ResultSheet> resultSheet(const Workspace& ws, services::Services& ui);

/// Shows the sheet and answers the choices; none on cancel.
using ResultSheetChooser = std::function<std::optional<ResultSheetAnswer>(const ResultSheet&)>;

/// The round's result sheet: lock check, the dialog, then every game's result from its
/// choice, written once, with "結果の未入力は %d組" for that round. Nothing to do (silently)
/// when no round holds a game; refused with "勝敗の指定が正しくありません。" for an answer that
/// does not fit the round's games. Outcome: the round, `count` games changed; an answer that
/// changes nothing writes nothing.
Outcome enterResultSheet(Workspace& ws, services::Services& ui, const ResultSheetChooser& choose);

}  // namespace toq::edit
