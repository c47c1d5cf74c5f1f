#pragma once
// The player register's commands: register, edit and delete players (PlayerDialog and the
// delete question). Every change writes the player file at once.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "edit/outcome.h"
#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// The fields of the registration dialog, as typed (UTF-8).
struct PlayerForm {
  std::string name;
  std::string shortName;
  int rating = 0;
  bool professional = false;
  std::string affiliation{};  ///< 所属; empty for none
};

/// The form of a new registration: empty names, rating 1600.
PlayerForm newPlayerForm();
/// The form of an edit, from the record at a 1-based register position; none when the
/// position holds no record.
std::optional<PlayerForm> playerForm(const Workspace& ws, int position);
/// The register position of a participant row's player, 0 when the row or record is missing.
int playerPositionOfRow(const Workspace& ws, int row);

/// Registers a new player under the next free number. Refused, with a message, for a name
/// that is empty, taken ("同名の登録があります。"), not representable in Shift-JIS, too long,
/// or holding a double quote or a line break; and when the register is full. Outcome: the
/// position in `row`, the new number in `other`.
Outcome registerPlayer(Workspace& ws, services::Services& ui, const PlayerForm& form);

/// Replaces name, short name, rating, professional flag and affiliation of the record at a
/// 1-based position, keeping its number and its number of boards. Refused like a registration
/// (the edited record's own name does not count as taken).
Outcome editPlayer(Workspace& ws, services::Services& ui, int position, const PlayerForm& form);

/// The names (UTF-8) of the records a deletion would remove, last position first: each is
/// asked about in turn.
struct DeleteQuestion {
  std::vector<std::string> names;
};
/// How many of the names, from the first, the user agreed to delete (none: nullopt or 0).
using DeleteChooser = std::function<std::optional<int>(const DeleteQuestion&)>;

/// Asks "…を削除しますか？" of each name in turn and stops at the first No.
DeleteChooser askEachDeletion(services::Services& ui);

/// Deletes the records at the given 1-based positions, last first, as many as `choose` agrees
/// to (the window asks before its pass, then deletes with the answer given). Refused before
/// any question when one of them holds a row of the table. Outcome: `count` deleted.
Outcome deletePlayers(Workspace& ws, services::Services& ui, std::vector<int> positions,
                      const DeleteChooser& choose);
/// The same, each record after its question; No ends the deletion (those already agreed to
/// are deleted).
Outcome deletePlayers(Workspace& ws, services::Services& ui, std::vector<int> positions);

}  // namespace toq::edit
