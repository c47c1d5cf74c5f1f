// cancel-round, cancel-all, games, exchange-byes, lock: commands on whole rounds and on the
// table's lock flag.

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "edit/edit_texts.h"
#include "edit/participants.h"
#include "edit/rounds.h"
#include "text/format.h"

namespace toq::cli {

int cancelRoundCommand(Invocation& inv) {
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  const std::size_t before = inv.ui.problemsShown();
  const edit::Outcome o = throughDoor(inv, edit::StepRule{nullptr, edit::steps::cancelRound},
                                      [&] { return edit::cancelLatestRound(ws, inv.ui); });
  if (!o.done()) return editFailed(inv, before, o, {});
  inv.out << text::format(kRoundCancelled, o.round + 1) << '\n';
  return kExitOk;
}

int cancelAllCommand(Invocation& inv) {
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  const std::size_t before = inv.ui.problemsShown();
  const edit::Outcome o = throughDoor(inv, edit::StepRule{edit::texts::kLabelCancelAll},
                                      [&] { return edit::cancelAllPairings(ws, inv.ui); });
  if (!o.done()) return editFailed(inv, before, o, {});
  inv.out << kAllCancelled << '\n';
  return kExitOk;
}

int gamesCommand(Invocation& inv) {
  const std::optional<int> games = parseInteger(inv.args[1]);
  if (!games) return inv.usage();
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  const std::size_t before = inv.ui.problemsShown();
  const edit::Outcome o = throughDoor(inv, edit::StepRule{edit::texts::kLabelNumberOfGames}, [&] {
    return edit::changeNumberOfGames(ws, inv.ui, edit::given(*games));
  });
  if (!o.done()) return editFailed(inv, before, o, {});
  inv.out << text::format(kGamesSet, ws.table.numberOfGames) << '\n';
  return kExitOk;
}

int exchangeByesCommand(Invocation& inv) {
  const std::optional<int> a = indexOperand(inv.args[1]);
  const std::optional<int> b = indexOperand(inv.args[2]);
  if (!a || !b) return inv.usage();
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  const std::size_t before = inv.ui.problemsShown();
  const edit::Outcome o = throughDoor(inv, edit::StepRule{edit::texts::kLabelExchangeByes},
                                      [&] { return edit::exchangeByes(ws, inv.ui, *a, *b); });
  if (!o.done()) return editFailed(inv, before, o, {});
  inv.out << text::format(kByesExchanged, rowLabel(ws, *a).c_str(), rowLabel(ws, *b).c_str())
          << '\n';
  return kExitOk;
}

int lockCommand(Invocation& inv) {
  const std::string& state = inv.args[1];
  if (state != "on" && state != "off") return inv.usage();
  if (int code = openTable(inv, inv.pathArg(0)); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  const bool locked = state == "on";
  const std::size_t before = inv.ui.problemsShown();
  const edit::Outcome o = throughDoor(inv, edit::StepRule{nullptr, edit::steps::lock},
                                      [&] { return edit::setLockFlag(ws, inv.ui, locked); });
  if (!o.done()) return editFailed(inv, before, o, {});
  inv.out << (locked ? kLocked : kUnlocked) << '\n';
  return kExitOk;
}

}  // namespace toq::cli
