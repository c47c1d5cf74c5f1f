#pragma once
// Commands on whole rounds: cancelling the latest round or every pairing, changing the number
// of games, and exchanging two participants' byes.

#include <functional>
#include <optional>

#include "edit/outcome.h"
#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// Range of the number of games (NumberOfGamesDialog); its spin button steps up to kSpinMaxGames
/// only.
inline constexpr int kMinGames = 1;
inline constexpr int kMaxGames = 32;
inline constexpr int kSpinMaxGames = 15;

/// What the number-of-games dialog starts from.
struct GamesQuestion {
  int current = 0;  ///< the table's number of games
  int min = kMinGames;
  int max = kMaxGames;
  int spinMax = kSpinMaxGames;
};

/// Shows the dialog and answers the new number; none on cancel.
using GamesChooser = std::function<std::optional<int>(const GamesQuestion&)>;

/// Clears the latest paired round after a question; "エラー kaisen=%d" when no round is
/// paired. Lock check; writes the table.
Outcome cancelLatestRound(Workspace& ws, services::Services& ui);

/// Clears every entry of every row (and the lock flag) after a question. Lock check; writes the
/// table.
Outcome cancelAllPairings(Workspace& ws, services::Services& ui);

/// Sets the number of games: more games add empty rounds; fewer than the paired rounds are
/// refused with "組み合わせがあります。"; outside 1..32 refused. No lock check; writes the
/// table.
Outcome changeNumberOfGames(Workspace& ws, services::Services& ui, const GamesChooser& choose);

/// Two participants exchange all their round entries. Allowed only while no round holds a
/// game, so only byes and absences move; one row twice gives
/// "抜け番を入れ替えることができません。". No lock check; writes the table.
Outcome exchangeByes(Workspace& ws, services::Services& ui, int rowA, int rowB);

/// Every game of the latest paired round has its result and a next round can be paired.
bool allResultsIn(const data::Table& table);

}  // namespace toq::edit
