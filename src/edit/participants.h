#pragma once
// The table's participants: the chooser's list (AddParticipantDialog), adding and removing a
// participant row, and the lock flag. Each writes the table, so that the change survives the
// end of the program.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "edit/outcome.h"
#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// One line of the participant chooser.
struct ParticipantChoice {
  std::string name;  ///< CP932
  int number = 0;    ///< player number
};

/// The chooser's lines: players not yet in the table, first those of class 0 or of the
/// table's class, then those of any other class but 7 and 9, each pass in register order.
std::vector<ParticipantChoice> participantChoices(const Workspace& ws);

/// Shows the chooser and answers the chosen player number; none on cancel or no selection.
using ParticipantChooser = std::function<std::optional<int>(const std::vector<ParticipantChoice>&)>;

/// Appends the chosen player as a new row. Lock check; refused for a number no record holds,
/// for a player already in the table and at 99 rows ("最大登録人数です。"). Outcome: the new
/// row and the number in `other`.
Outcome addParticipant(Workspace& ws, services::Services& ui, const ParticipantChooser& choose);

/// Removes a participant row after a question (with the warning wording when the table has
/// pairings; the round entries stay where they are). Lock check.
Outcome removeParticipant(Workspace& ws, services::Services& ui, int row);

/// Sets the table's lock flag ("変更禁止") and writes the table.
Outcome setLockFlag(Workspace& ws, services::Services& ui, bool locked);

}  // namespace toq::edit
