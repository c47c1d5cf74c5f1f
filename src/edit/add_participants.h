#pragma once
// "参加者を対戦表に追加" for several players at once: the chooser may pick any number of
// players, who are added in the register's order as one change (one table write, one undo
// step). An empty register is explained instead of showing an empty chooser.

#include <functional>
#include <vector>

#include "edit/participants.h"

namespace toq::edit {

/// Shows the chooser and answers the chosen player numbers (any order); empty on cancel.
using ParticipantsChooser = std::function<std::vector<int>(const std::vector<ParticipantChoice>&)>;

/// Appends the chosen players as new rows in the register's order. Lock check; with an empty
/// register "対局者が登録されていません。…" and with every player already in the table "…全員が
/// 対戦表に入っています。" (information, nothing changed); a number no record holds or a player
/// already in the table is refused with its message before anything is added; at 99 rows the
/// rest is left out after "最大登録人数です。". Outcome: `count` rows added, `row` the first.
Outcome addParticipants(Workspace& ws, services::Services& ui, const ParticipantsChooser& choose);

}  // namespace toq::edit
