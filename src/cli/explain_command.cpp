// explain: why a round is paired as it is, as Japanese text or as JSON.

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "edit/edit_texts.h"
#include "pairing/explanation.h"
#include "reports/explanation_json.h"
#include "reports/explanation_text.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::cli {

int explainCommand(Invocation& inv) {
  std::optional<int> asked;
  if (std::optional<std::string> k = inv.value("--round")) {
    asked = indexOperand(*k);
    if (!asked) return inv.usage();
  }
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  const edit::Workspace& ws = inv.workspace;
  const std::vector<int> rounds = pairing::explainableRounds(ws.table);
  if (rounds.empty()) {
    inv.ui.errorBox(kNoPairedRound, services::kErrorCaption);
    return kExitFailure;
  }
  const int round = asked.value_or(rounds.back());
  if (round < 0 || round >= ws.table.rounds()) {
    inv.ui.errorBox(edit::texts::kRoundOutOfRange, services::kErrorCaption);
    return kExitFailure;
  }
  const std::optional<pairing::Explanation> e = pairing::explainRound(ws.table, ws.players, round);
  if (!e) {
    inv.ui.errorBox(text::format(kRoundWithoutGames, round + 1), services::kErrorCaption);
    return kExitFailure;
  }
  if (inv.has("--json"))
    inv.out << reports::explanationJson(*e) << '\n';
  else
    inv.out << text::toUtf8(reports::explanationText(*e));
  return kExitOk;
}

}  // namespace toq::cli
