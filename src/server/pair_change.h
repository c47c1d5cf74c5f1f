#pragma once
// POST /api/pair with the bye of an odd round: the bye the organiser chose and the pairing are
// one change, and a round paired without one is refused with the program's proposal.

#include <optional>
#include <string>

#include "edit/bye_proposal.h"
#include "edit/pair_command.h"
#include "server/exchange.h"
#include "server/request_services.h"

namespace toq::server {

/// A bye the request names is refused (409) unless the round needs one and the row may sit
/// out; none when the request may go on (also when the pairing itself will refuse the round).
std::optional<Reply> refuseBye(const edit::Workspace& ws, const std::optional<edit::ByeNeed>& need,
                               std::optional<int> bye);

/// Sets the bye (when there is one), then pairs the next round (edit::pairRound). The bye is
/// taken back when the pairing is refused or fails, so that nothing but a whole round stays.
edit::Outcome pairWithBye(edit::Workspace& ws, RequestServices& ui,
                          const std::optional<edit::ByeNeed>& need, std::optional<int> bye,
                          edit::PairOutcome& paired);

/// The refusal of an odd round paired without a bye: the pairing's message and the proposal
/// ("抜け番の候補: …"), with every participant who may sit out, lowest-placed first.
Reply oddRoundRefusal(const edit::Workspace& ws, RequestServices& ui, const edit::ByeNeed& need);

}  // namespace toq::server
