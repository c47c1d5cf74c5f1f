#include "server/pair_change.h"

#include <algorithm>

#include "edit/guards.h"
#include "server/api.h"
#include "server/replies.h"
#include "server/texts.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::server {

namespace {

bool isCandidate(const edit::ByeNeed& need, int row) {
  return std::any_of(need.candidates.begin(), need.candidates.end(),
                     [row](const edit::ByeCandidate& c) { return c.row == row; });
}

}  // namespace

std::optional<Reply> refuseBye(const edit::Workspace& ws, const std::optional<edit::ByeNeed>& need,
                               std::optional<int> bye) {
  if (!bye) return std::nullopt;
  if (!need) {
    // A round the pairing refuses anyway (locked, results missing, nothing left) is answered
    // with the pairing's own reason.
    const data::Table& t = ws.table;
    const int round = t.FirstUnpairedRound();
    if (t.lockFlag != 0 || round < 0 || t.ResultsCompleteBefore(round) != 1) return std::nullopt;
    return errorReply(409, texts::kNoByeNeeded);
  }
  if (!ws.table.validRow(*bye) || !isCandidate(*need, *bye))
    return errorReply(409, text::format(texts::kNotByeCandidate, *bye + 1));
  return std::nullopt;
}

edit::Outcome pairWithBye(edit::Workspace& ws, RequestServices& ui,
                          const std::optional<edit::ByeNeed>& need, std::optional<int> bye,
                          edit::PairOutcome& paired) {
  if (!bye || !need) return edit::pairRound(ws, ui, {}, &paired);
  const edit::Outcome set = edit::setRoundBye(ws, ui, *need, *bye);
  if (set.code != 0) return set;
  edit::Outcome o = edit::pairRound(ws, ui, {}, &paired, false);
  if (!o.changed) {
    ws.table.opponent[*bye][need->round] = data::kUnpaired;
    if (!edit::saveTable(ws, ui, {}).saved) {
      o.code = -2;
      o.changed = true;
    }
  }
  return o;
}

Reply oddRoundRefusal(const edit::Workspace& ws, RequestServices& ui, const edit::ByeNeed& need) {
  api::ByeRefusal refusal;
  refusal.error = ui.problemText(texts::kNotDone) + "\n" + edit::byeProposalLine(ws, need, ui);
  if (need.proposal) refusal.proposal = *need.proposal + 1;
  for (const edit::ByeCandidate& c : need.candidates)
    refusal.candidates.push_back({c.row + 1, text::toUtf8(c.name), c.place, c.earlierByes});
  return jsonReply(409, api::text(refusal));
}

}  // namespace toq::server
